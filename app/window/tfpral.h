#pragma once

#include "category_table.h"
#include "run_reporter.h"

#include <QMainWindow>
#include <array>
#include <memory>

class HintManager;
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
    explicit TFPral(QWidget* parent = nullptr);
    ~TFPral() override;

    // The twelve boxes as they stand; a disabled speed-warning box counts too.
    RunOptions runOptions() const;

    // Ends the program as the close box does when the session or the terminal
    // ends it: an open box is closed first, and a failed save is told on
    // standard error, for no one may be left to close an error box. Connected
    // to a signal, so nothing may leave it.
    void closeAtTermination() noexcept;

protected:
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void RFClick(QCheckBox* sender);
    void RMClick(QCheckBox* sender);
    void TCClick(QCheckBox* sender);
    void PPClick(QCheckBox* sender);
    void PNClick(QCheckBox* sender);
    void ZEClick(QCheckBox* sender);
    void cxButton1Click();

private:
    // A category's row of boxes and the coupling handler of its category box.
    struct CategoryRow
    {
        PointCategory category;
        QCheckBox* box;
        QCheckBox* speedBox;
        void (TFPral::*click)(QCheckBox* sender);
    };
    std::array<CategoryRow, PointCategoryCount> categoryRows() const;
    // The speed-warning box of the box's row is enabled while the box is ticked.
    void coupleSpeedBoxOf(QCheckBox* box);

    void showMessage(std::string_view text) override;
    void focusSourceField() override;
    void focusDestinationField() override;

    void setUpLook();
    void scaleToFont();
    void connectHandlers();
    void showStorageError(const QString& message) const;

    std::unique_ptr<Ui::TFPral> ui;
    TFormStorage* FormStorage1 = nullptr;
    std::unique_ptr<HintManager> m_hints;
    bool m_closingAtTermination = false;
};
