#include "tfpral.h"

#include "event_guard.h"
#include "full_stop.h"
#include "hint_manager.h"
#include "message_boxes.h"
#include "program_diagnostic.h"
#include "qt_geometry.h"
#include "run_generation.h"
#include "tform_storage.h"
#include "ui_tfpral.h"
#include "user_message.h"
#include "widget_placement.h"
#include "window_scaling.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr QPoint FirstStartPosition {450, 170};
// At 96 dots per inch; the controls' layout then follows the line height it gives.
constexpr int WindowFontPixels = 11;
constexpr QColor Panel2Grey {143, 143, 143};

void printError(const QString& message)
{
    const QByteArray bytes = message.toUtf8();
    const std::string text = withFullStop(std::string_view(bytes.constData(), bytes.size()));
    std::fputs(programDiagnostic("zorvanti-cribaxon", text).c_str(), stderr);
}

void paintBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

TFPral::TFPral(FileSystem& fileSystem, IniSettingsStore& settings, QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowCloseButtonHint)
    , m_fileSystem(fileSystem)
    , ui(std::make_unique<Ui::TFPral>())
{
    // Set before the controls exist, so that each is built in it once.
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(scaledForDpi(WindowFontPixels, logicalDpiY()));
    setFont(windowFont);
    ui->setupUi(this);
    setUpLook();
    scaleToFont();
    move(FirstStartPosition);
    findCategoryRows();
    connectHandlers();
    // Restores when the window is first shown and saves when it closes.
    FormStorage1 = new TFormStorage(this, settings, std::make_unique<WidgetPlacement>(this),
                                    [this](const QString& message) { showStorageError(message); });
    FormStorage1->setObjectName(QStringLiteral("FormStorage1"));
    m_hints = std::make_unique<HintManager>(*this);
}

TFPral::~TFPral()
{
    FormStorage1->windowDestroying();
}

void TFPral::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    FormStorage1->windowCloseQueried(event->isAccepted());
}

void TFPral::setUpLook()
{
    ui->StatusBar1->setFont(QApplication::font(ui->StatusBar1));
    paintBackground(this, palette().color(QPalette::Button));
    paintBackground(ui->Panel1, Qt::white);
    paintBackground(ui->Panel2, Panel2Grey);

    auto* notice = new QLabel(QStringLiteral("© 2005 Zorvanti. Derechos reservados."), ui->StatusBar1);
    notice->setObjectName(QStringLiteral("StatusNotice"));
    ui->StatusBar1->addWidget(notice, 1);
}

void TFPral::scaleToFont()
{
    const int lineHeight = QFontMetrics(ui->centralwidget->font()).height();
    const auto children = ui->centralwidget->findChildren<QWidget*>();
    for (QWidget* child : children)
        child->setGeometry(toQt(scaledForLineHeight(fromQt(child->geometry()), lineHeight)));
    // The labels take the size of their text, which is in the scaled font already: only their place scales.
    ui->Label1->adjustSize();
    ui->Label2->adjustSize();
    // The form gives the window its client size and the status bar its height.
    ui->StatusBar1->setFixedHeight(scaledForLineHeight(Size {0, ui->StatusBar1->maximumHeight()}, lineHeight).height);
    setFixedSize(toQt(scaledForLineHeight(fromQt(size()), lineHeight)));
}

void TFPral::findCategoryRows()
{
    const auto checkBox = [this](std::string_view name) {
        auto* box = findChild<QCheckBox*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        Q_ASSERT(box);
        return box;
    };
    for (std::size_t i = 0; i < CategoryTable.size(); ++i) {
        const CategoryFacts& facts = CategoryTable[i];
        m_categoryRows[i]
            = {facts.category, checkBox(facts.identifier), checkBox(facts.speedIdentifier), CategoryClicks[i]};
    }
}

void TFPral::connectHandlers()
{
    // toggled fires once per change of state, whoever makes it, and never for
    // an assignment of the state a box already has.
    for (const CategoryRow& row : m_categoryRows)
        connect(row.box, &QCheckBox::toggled, this, [this, box = row.box, click = row.click] { (this->*click)(box); });
    connect(ui->cxButton1, &QPushButton::clicked, this, &TFPral::cxButton1Click);
}

void TFPral::coupleSpeedBoxOf(QCheckBox* box)
{
    for (const CategoryRow& row : m_categoryRows) {
        if (row.box == box)
            row.speedBox->setEnabled(box->isChecked());
    }
}

RunOptions TFPral::runOptions() const
{
    RunOptions options;
    for (const CategoryRow& row : m_categoryRows) {
        options.setKeeps(row.category, row.box->isChecked());
        options.setKeepsSpeedWarning(row.category, row.speedBox->isChecked());
    }
    return options;
}

void TFPral::closeAtTermination() noexcept
{
    if (m_closingAtTermination)
        return;
    m_closingAtTermination = true;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != this && window->isVisible())
            window->close();
    }
    // Once the event loop is back from the boxes just closed, and the window
    // shown if a box of its restore held it half-way; a window already closed
    // is not saved twice.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isVisible())
                close();
        },
        Qt::QueuedConnection);
}

void TFPral::showStorageError(const QString& message) const
{
    if (m_closingAtTermination)
        printError(message);
    else
        MessageBoxes::error(message);
}

void TFPral::cxButton1Click()
{
    std::string failure;
    guardEvent([&] {
        try {
            if (RunGeneration(ui->FilenameEdit1->runFileName(), ui->FilenameEdit2->runFileName(), runOptions(), *this,
                              m_fileSystem)
                != RunOutcome::Completed)
                failure = m_lastRunMessage;
        } catch (...) {
            failure = userMessage(std::current_exception());
            if (!m_closingAtTermination)
                throw;
        }
    });
    // A signal that came meanwhile closed the box unread, or left no one to read one.
    if (m_closingAtTermination && !failure.empty()) {
        printError(QString::fromStdString(failure));
        m_runFailedAtTermination = true;
    }
}

int TFPral::exitStatus() const
{
    return m_runFailedAtTermination ? EXIT_FAILURE : EXIT_SUCCESS;
}

void TFPral::showMessage(std::string_view text)
{
    m_lastRunMessage = text;
    if (!m_closingAtTermination)
        MessageBoxes::information(this, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void TFPral::focusSourceField()
{
    ui->FilenameEdit1->takeFocus();
}

void TFPral::focusDestinationField()
{
    ui->FilenameEdit2->takeFocus();
}
