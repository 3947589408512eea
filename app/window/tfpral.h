#pragma once

#include "category_table.h"
#include "run_reporter.h"
#include "system_file.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

class HintManager;
class IniSettingsStore;
class QCheckBox;
class TFormStorage;
namespace Ui {
class TFPral;
}

// The program's one window: the two file names, the twelve boxes and "Generar".
class TFPral final : public QMainWindow, private RunReporter
{
    Q_OBJECT

public:
    // Runs read and write through fileSystem, and the settings live in settings; both outlive the window.
    TFPral(FileSystem& fileSystem, IniSettingsStore& settings, QWidget* parent = nullptr);
    ~TFPral() override;

    // The twelve boxes as they stand; a disabled speed-warning box counts too.
    RunOptions runOptions() const;

    // Ends the program as the close box does when the session or the terminal
    // ends it: an open box is closed first, and a failed save or run is told on
    // standard error, for no one may be left to close an error box. Connected
    // to a signal, so nothing may leave it.
    void closeAtTermination() noexcept;
    // EXIT_FAILURE once a run has failed (or rejected its files) that a
    // termination left unread, else EXIT_SUCCESS.
    int exitStatus() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    // The coupling handlers of the category boxes.
    void RFClick(QCheckBox* sender) { coupleSpeedBoxOf(sender); }
    void RMClick(QCheckBox* sender) { coupleSpeedBoxOf(sender); }
    void TCClick(QCheckBox* sender) { coupleSpeedBoxOf(sender); }
    void PPClick(QCheckBox* sender) { coupleSpeedBoxOf(sender); }
    void PNClick(QCheckBox* sender) { coupleSpeedBoxOf(sender); }
    void ZEClick(QCheckBox* sender) { coupleSpeedBoxOf(sender); }
    void cxButton1Click();

private:
    using CategoryClick = void (TFPral::*)(QCheckBox* sender);
    // In the order of CategoryTable's rows.
    static constexpr std::array<CategoryClick, PointCategoryCount> CategoryClicks {
        &TFPral::RFClick, &TFPral::RMClick, &TFPral::TCClick, &TFPral::PPClick, &TFPral::PNClick, &TFPral::ZEClick,
    };

    // A category's row of boxes and the coupling handler of its category box.
    struct CategoryRow
    {
        PointCategory category;
        QCheckBox* box;
        QCheckBox* speedBox;
        CategoryClick click;
    };
    // The speed-warning box of the box's row is enabled while the box is ticked.
    void coupleSpeedBoxOf(QCheckBox* box);

    void showMessage(std::string_view text) override;
    void focusSourceField() override;
    void focusDestinationField() override;

    void setUpLook();
    void scaleToFont();
    void findCategoryRows();
    void connectHandlers();
    void showStorageError(const QString& message) const;

    FileSystem& m_fileSystem;
    std::unique_ptr<Ui::TFPral> ui;
    std::array<CategoryRow, PointCategoryCount> m_categoryRows {};
    TFormStorage* FormStorage1 = nullptr;
    std::unique_ptr<HintManager> m_hints;
    bool m_closingAtTermination = false;
    bool m_runFailedAtTermination = false;
    std::string m_lastRunMessage;
};
