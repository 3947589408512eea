#include "information_box.h"

#include "dialog_placement.h"
#include "frame_margins.h"
#include "information_box_layout.h"
#include "message_boxes.h"
#include "qt_geometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>
#include <QTextLayout>

namespace {

// Splits the text at CR LF, CR or LF and wraps each line to at most maxWidth:
// at word boundaries, and inside a word only where the word alone is wider.
QStringList shownLines(const QString& text, const QFont& font, int maxWidth)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList lines;
    for (const QString& line : text.split(lineEnd)) {
        QTextLayout layout(line, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(maxWidth);
            QString part = line.mid(row.textStart(), row.textLength());
            while (!part.isEmpty() && part.back().isSpace())
                part.chop(1);
            lines << part;
        }
        layout.endLayout();
    }
    return lines;
}

} // namespace

InformationBox::InformationBox(QWidget* parent, const QString& text)
    : QDialog(parent,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(MessageBoxes::title());
    // Set, though empty: a box without an icon of its own would take the program's.
    setWindowIcon(QIcon());
    setWindowModality(Qt::ApplicationModal);

    const QFont messageFont = QApplication::font("QMessageBox");
    setFont(messageFont);
    const QFontMetrics metrics(messageFont);
    const QString caption = QStringLiteral("Aceptar");
    const MessageFontMeasures measures {
        .lettersWidth = metrics.horizontalAdvance(
            QString::fromLatin1(AverageWidthLetters.data(), static_cast<qsizetype>(AverageWidthLetters.size()))),
        .lineHeight = metrics.height(),
        .captionWidth = metrics.horizontalAdvance(caption),
    };

    const int widthLimit = informationBoxTextWidthLimit(hostScreen()->geometry().width());
    const QString shown = shownLines(text, messageFont, widthLimit).join(u'\n');
    // The label lays plain text out exactly so, hence it fits this rectangle.
    const QSize textSize
        = metrics.boundingRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX, Qt::AlignLeft | Qt::AlignTop, shown).size();
    const InformationBoxLayout layout = layOutInformationBox(fromQt(textSize), measures);

    auto* label = new QLabel(shown, this);
    label->setObjectName(QStringLiteral("text"));
    label->setTextFormat(Qt::PlainText);
    label->setFont(messageFont);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(toQt(layout.text));

    auto* button = new QPushButton(caption, this);
    button->setObjectName(QStringLiteral("accept"));
    button->setFont(messageFont);
    button->setDefault(true);
    button->setGeometry(toQt(layout.button));
    connect(button, &QPushButton::clicked, this, &QDialog::accept);
    button->setFocus(Qt::OtherFocusReason);

    setFixedSize(toQt(layout.client));
}

void InformationBox::showEvent(QShowEvent* event)
{
    // QDialog centres the box on its parent; it belongs in the middle of the screen.
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen(this, hostScreen(), parentWidget() ? parentWidget()->window() : nullptr);
}

void centreOnScreen(QWidget* box, const QScreen* screen, const QWidget* shownWindow)
{
    const QMargins frame = frameMarginsOf(shownWindow);
    const QSize outerSize = box->size().grownBy(frame);
    const QRect outer(toQt(centredOn(fromQt(screen->geometry()), fromQt(outerSize))), outerSize);
    // The client rectangle, as a window's position "including its frame" only
    // works once the frame is known.
    box->setGeometry(outer.marginsRemoved(frame));
}

QScreen* InformationBox::hostScreen() const
{
    return parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
}
