#pragma once

#include "stored_value_check.h"

#include <QLineEdit>
#include <string>

class QToolButton;

// A one-line field for a file name, with a browse button inside its right end.
// Its hint is its toolTip; the button has none of its own and shows the field's.
// Every change of the text, the program's included, is told by textChanged.
class TFilenameEdit final : public QLineEdit, public StoredValueCheck
{
    Q_OBJECT
    // The text exactly as shown, double quotes included.
    Q_PROPERTY(QString Text READ text WRITE setText)
    // The leading file name of the text, without quotes. A value it refuses would
    // throw EComboEditError through QObject::setProperty as well, across Qt's
    // frames: whoever writes it that way asks acceptsStoredValue first.
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)

public:
    explicit TFilenameEdit(QWidget* parent = nullptr);

    QString fileName() const;
    // The name a run is given: the text's bytes without any double quote.
    std::string runFileName() const;
    // Whether setFileName takes the value: an empty one, or one whose leading
    // word is an acceptable file name.
    bool acceptsFileName(const QString& value) const;
    bool acceptsStoredValue(const char* property, const QString& value) const override;
    // Throws EComboEditError, leaving the text as it was, for a value it does not accept.
    void setFileName(const QString& value);

    // Lets the user pick a file in the file-open dialog; see BrowseDialog.
    void browse();

    // The window moves the focus here: the whole text is selected, so that typing replaces it.
    void takeFocus();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layOutButton();

    QToolButton* m_button;
    bool m_hadFocus = false;
    // What the next browse starts from; kept for the life of the field only.
    QString m_initialDir;
    int m_filterIndex = 1;
    QString m_proposedName;
};
