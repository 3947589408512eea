#pragma once

#include <functional>
#include <utility>

// What a test puts in place of a modal dialog, so that no dialog waits for a
// user: while a hook is set, the dialog calls it instead of showing itself.
template <typename Signature> class TestHook final
{
public:
    using Function = std::function<Signature>;

    // Sets a hook for the life of a scope, so that a test that stops half-way
    // leaves no hook behind for the next one.
    class Scoped final
    {
    public:
        Scoped(TestHook& hook, Function function)
            : m_hook(hook)
        {
            m_hook.set(std::move(function));
        }
        ~Scoped() { m_hook.set({}); }
        Scoped(const Scoped&) = delete;
        Scoped& operator=(const Scoped&) = delete;

    private:
        TestHook& m_hook;
    };

    // A copy, so that a hook may replace itself while it runs.
    Function get() const { return m_function; }
    void set(Function function) { m_function = std::move(function); }
    [[nodiscard]] Scoped scoped(Function function) { return Scoped(*this, std::move(function)); }

private:
    Function m_function;
};
