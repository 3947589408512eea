#pragma once

#include <QDialog>

class QScreen;

// Places a box about to be shown so that its outer frame is centred on the
// screen. Its frame is not known before it is shown, so it is taken to be as
// thick as that of a window on show (none where there is no such window).
void centreOnScreen(QWidget* box, const QScreen* screen, const QWidget* shownWindow);

// The information box: the text over one "Aceptar" button, laid out in the
// message font as layOutInformationBox says.
class InformationBox final : public QDialog
{
    Q_OBJECT

public:
    InformationBox(QWidget* parent, const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QScreen* hostScreen() const;
};
