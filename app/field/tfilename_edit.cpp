#include "tfilename_edit.h"

#include "browse_dialog.h"
#include "browse_start.h"
#include "ecombo_edit_error.h"
#include "field_text.h"
#include "filename_rules.h"
#include "posix_file_queries.h"
#include "window_scaling.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <QValidator>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// At 96 dots per inch, as the other lengths of the field's own drawing.
constexpr int BorderWidth = 2;
constexpr int ButtonWidth = 21;
constexpr int ButtonGap = 2;
constexpr QSize ButtonPictureSize {14, 12};
const PosixFileQueries systemFiles {};

// A pasted text may bring line breaks; a file name is one line, so they are dropped.
class LineBreakRemover final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override
    {
        std::u16string text = input.toStdU16String();
        position = static_cast<int>(removeLineBreaks(text, static_cast<std::size_t>(position)));
        input = QString::fromStdU16String(text);
        return Acceptable;
    }
};

// The drawing made at twice the size serves larger screens: reduced, it stays
// sharp where the small one, enlarged, would blur.
QPixmap buttonPicture(int dotsPerInch)
{
    QImage picture(dotsPerInch > DesignDotsPerInch ? u":/pictures/open_folder@2x.png"_s
                                                   : u":/pictures/open_folder.png"_s);
    // Qt takes the "@2x" in the name for a screen that it scales itself; here the screen is not scaled.
    picture.setDevicePixelRatio(1);
    const QSize size(scaledForDpi(ButtonPictureSize.width(), dotsPerInch),
                     scaledForDpi(ButtonPictureSize.height(), dotsPerInch));
    return QPixmap::fromImage(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// The rules take a name as the bytes the system reads, which QFile gives.
std::string bytesOf(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

QString textOf(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

QString quoteSpacedName(const QString& name)
{
    return textOf(QuoteSpacedName(bytesOf(name)));
}

QString initialDirOf(const std::string& name)
{
    return textOf(initialDirFromFolderPart(folderPart(name)));
}

QString nameBoxText(const QString& name)
{
    const std::u16string_view cut = cutForNameBox(std::u16string_view(QStringView(name).utf16(), name.size()));
    return name.left(static_cast<qsizetype>(cut.size()));
}

} // namespace

TFilenameEdit::TFilenameEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_button(new QToolButton(this))
{
    // Files dragged from a file manager are refused, as is any other drop.
    setAcceptDrops(false);
    setValidator(new LineBreakRemover(this));
    // QLineEdit's own limit of 32767 characters would cut a longer stored name.
    setMaxLength(std::numeric_limits<int>::max());
    // The selection shows only while the field has the focus, not while another window is active.
    QPalette hiddenSelection = palette();
    hiddenSelection.setColor(QPalette::Inactive, QPalette::Highlight,
                             hiddenSelection.color(QPalette::Inactive, QPalette::Base));
    hiddenSelection.setColor(QPalette::Inactive, QPalette::HighlightedText,
                             hiddenSelection.color(QPalette::Inactive, QPalette::Text));
    setPalette(hiddenSelection);

    m_button->setObjectName(u"BrowseButton"_s);
    // Screen readers name it; on screen it stays a picture without a caption.
    m_button->setAccessibleName(u"Examinar…"_s);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    const QPixmap picture = buttonPicture(logicalDpiY());
    m_button->setIcon(picture);
    m_button->setIconSize(picture.size());
    connect(m_button, &QToolButton::pressed, this, [this] {
        if (!hasFocus())
            setFocus(Qt::OtherFocusReason);
    });
    connect(m_button, &QToolButton::clicked, this, &TFilenameEdit::browse);
    layOutButton();
}

QString TFilenameEdit::fileName() const
{
    return textOf(LeadingFileName(bytesOf(text()), systemFiles));
}

std::string TFilenameEdit::runFileName() const
{
    return nameFromFieldText(bytesOf(text()));
}

bool TFilenameEdit::acceptsFileName(const QString& value) const
{
    return acceptsFileNameValue(bytesOf(value), systemFiles);
}

bool TFilenameEdit::acceptsStoredValue(const char* property, const QString& value) const
{
    // Text takes any value.
    return qstrcmp(property, "FileName") != 0 || acceptsFileName(value);
}

void TFilenameEdit::setFileName(const QString& value)
{
    if (!acceptsFileName(value))
        throw EComboEditError(invalidFileNameMessage(value.toStdString()));
    setText(quoteSpacedName(value));
}

void TFilenameEdit::browse()
{
    const BrowseStart start = browseStartOf(bytesOf(text()), systemFiles);
    if (start.initialDir)
        m_initialDir = textOf(*start.initialDir);
    if (start.proposedName)
        m_proposedName = textOf(*start.proposedName);

    BrowseDialog::Request request;
    request.window = window();
    request.title = u"Browse"_s;
    request.filters = QStringList {u"Pitovan (*.mdb)"_s, u"Rumbelo(*.txt)"_s};
    request.filterIndex = m_filterIndex;
    request.proposedName = nameBoxText(m_proposedName);
    request.initialDir = m_initialDir;
    const BrowseDialog::Result result = BrowseDialog::show(request);

    setFocus(Qt::OtherFocusReason);
    if (!result.confirmed)
        return;
    setText(quoteSpacedName(result.fileName));
    // As after the desktop's own dialog, a relative name typed from now on, in either field, means a file there.
    QDir::setCurrent(QFileInfo(result.fileName).absolutePath());
    m_initialDir = initialDirOf(bytesOf(result.fileName));
    m_proposedName = result.fileName;
    m_filterIndex = result.filterIndex;
}

void TFilenameEdit::takeFocus()
{
    // Selected here, not on the focus-in: a window that is not active yet (a box has only just
    // closed) hands the focus over later, as its activation, which leaves the selection as it is.
    selectAll();
    setFocus(Qt::OtherFocusReason);
}

void TFilenameEdit::keyPressEvent(QKeyEvent* event)
{
    const auto modifiers = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_Down && modifiers == Qt::AltModifier) {
        event->accept();
        browse();
        return;
    }
    // Where the window was made, a key pressed with Alt is never text. X11 does not report AltGr
    // as Alt, so the characters that need it still type.
    const QString text = event->text();
    if (modifiers.testFlag(Qt::AltModifier) && !text.isEmpty() && text.front().isPrint()) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TFilenameEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    const bool first = !std::exchange(m_hadFocus, true);
    switch (event->reason()) {
    case Qt::MouseFocusReason:
        // A press on the button gives the focus by mouse too; only a click into the text keeps its caret.
        if (m_button->underMouse())
            selectAll();
        break;
    case Qt::ActiveWindowFocusReason:
        // The window's first activation enters the field; a later one only
        // gives back the focus it had.
        if (first)
            selectAll();
        break;
    case Qt::PopupFocusReason:
        break;
    default:
        selectAll();
    }
}

bool TFilenameEdit::event(QEvent* event)
{
    // The button shows the field's hint, so screen readers describe it with that hint too.
    if (event->type() == QEvent::ToolTipChange)
        m_button->setAccessibleDescription(toolTip());
    return QLineEdit::event(event);
}

void TFilenameEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    layOutButton();
}

void TFilenameEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::StyleChange)
        layOutButton();
}

void TFilenameEdit::layOutButton()
{
    const int dpi = logicalDpiY();
    const int border = scaledForDpi(BorderWidth, dpi);
    const int buttonWidth = scaledForDpi(ButtonWidth, dpi);
    const QRect inner = rect().marginsRemoved({border, border, border, border});
    m_button->setGeometry(inner.x() + inner.width() - buttonWidth, inner.y(), buttonWidth, inner.height());

    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const int textEnd = m_button->x() - scaledForDpi(ButtonGap, dpi);
    setTextMargins(0, 0, std::max(0, contents.x() + contents.width() - textEnd), 0);
}
