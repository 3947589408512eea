#include "tfpral.h"

#include "event_guard.h"
#include "full_stop.h"
#include "hint_manager.h"
#include "message_boxes.h"
#include "run_generation.h"
#include "tform_storage.h"
#include "ui_tfpral.h"
#include "widget_placement.h"
#include "window_scaling.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <cstdio>

namespace {

constexpr QPoint FirstStartPosition {450, 170};
// At 96 dots per inch; the controls' layout then follows the line height it gives.
constexpr int WindowFontPixels = 11;
constexpr QColor Panel2Grey {143, 143, 143};

std::string fileNameBytes(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

void printError(const QString& message)
{
    const QByteArray bytes = message.toUtf8();
    const std::string line
        = "zorvanti-cribaxon: " + withFullStop(std::string_view(bytes.constData(), bytes.size())) + '\n';
    std::fputs(line.c_str(), stderr);
}

void paintBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

TFPral::TFPral(QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowCloseButtonHint)
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
    connectHandlers();
    // Restores when the window is first shown and saves when it closes.
    FormStorage1 = new TFormStorage(this, std::make_unique<WidgetPlacement>(this),
                                    [this](const QString& message) { showStorageError(message); });
    FormStorage1->setObjectName(QStringLiteral("FormStorage1"));
    m_hints = std::make_unique<HintManager>(*this);
}

TFPral::~TFPral()
{
    FormStorage1->windowDestroying();
}

void TFPral::setUpLook()
{
    ui->StatusBar1->setFont(QApplication::font(ui->StatusBar1));
    // The labels take the size of their text in the window font.
    ui->Label1->adjustSize();
    ui->Label2->adjustSize();
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
        child->setGeometry(scaledForLineHeight(child->geometry(), lineHeight));
    ui->StatusBar1->setFixedHeight(scaledForLineHeight(QSize(0, 19), lineHeight).height());
    setFixedSize(scaledForLineHeight(QSize(300, 394), lineHeight));
}

void TFPral::connectHandlers()
{
    const std::pair<QCheckBox*, void (TFPral::*)(QCheckBox*)> handlers[] = {
        {ui->RF, &TFPral::RFClick}, {ui->RM, &TFPral::RMClick}, {ui->TC, &TFPral::TCClick},
        {ui->PP, &TFPral::PPClick}, {ui->PN, &TFPral::PNClick}, {ui->ZE, &TFPral::ZEClick},
    };
    // toggled fires once per change of state, whoever makes it, and never for
    // an assignment of the state a box already has.
    for (const auto& [box, handler] : handlers)
        connect(box, &QCheckBox::toggled, this, [this, box, handler] { (this->*handler)(box); });
    connect(ui->cxButton1, &QPushButton::clicked, this, &TFPral::cxButton1Click);
}

void TFPral::RFClick(QCheckBox* sender)
{
    ui->RF1->setEnabled(sender->isChecked());
}

void TFPral::RMClick(QCheckBox* sender)
{
    ui->RM1->setEnabled(sender->isChecked());
}

void TFPral::TCClick(QCheckBox* sender)
{
    ui->TC1->setEnabled(sender->isChecked());
}

void TFPral::PPClick(QCheckBox* sender)
{
    ui->PP1->setEnabled(sender->isChecked());
}

void TFPral::PNClick(QCheckBox* sender)
{
    ui->PN1->setEnabled(sender->isChecked());
}

void TFPral::ZEClick(QCheckBox* sender)
{
    ui->ZE1->setEnabled(sender->isChecked());
}

RunOptions TFPral::runOptions() const
{
    RunOptions options;
    options.RF = ui->RF->isChecked();
    options.RM = ui->RM->isChecked();
    options.TC = ui->TC->isChecked();
    options.PP = ui->PP->isChecked();
    options.PN = ui->PN->isChecked();
    options.ZE = ui->ZE->isChecked();
    options.RF1 = ui->RF1->isChecked();
    options.RM1 = ui->RM1->isChecked();
    options.TC1 = ui->TC1->isChecked();
    options.PP1 = ui->PP1->isChecked();
    options.PN1 = ui->PN1->isChecked();
    options.ZE1 = ui->ZE1->isChecked();
    return options;
}

void TFPral::closeAtTermination()
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
    guardEvent([this] {
        RunGeneration(fileNameBytes(ui->FilenameEdit1->text()), fileNameBytes(ui->FilenameEdit2->text()), runOptions(),
                      *this);
    });
}

void TFPral::showMessage(std::string_view text)
{
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
