#include "picture_area.h"

#include "jpeg_image.h"

#include <QAccessibleWidget>
#include <QFile>
#include <QPainter>
#include <QPixmap>

namespace {

// Screen readers take a picture area for a picture, called by its accessible name.
QAccessibleInterface* accessiblePicture(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<PictureArea*>(object);
    if (widget == nullptr || className != QLatin1StringView(PictureArea::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Graphic);
}

} // namespace

PictureArea::PictureArea(QWidget* parent)
    : QWidget(parent)
{
    [[maybe_unused]] static const bool accessibleAsPicture = [] {
        QAccessible::installFactory(accessiblePicture);
        return true;
    }();
    setCursor(Qt::PointingHandCursor);
}

void PictureArea::setPictureFile(const QString& fileName)
{
    m_pictureFile = fileName;
    m_picture.reset();
    update();
}

void PictureArea::paintEvent(QPaintEvent*)
{
    const QImage& image = picture();
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

const QImage& PictureArea::picture()
{
    if (!m_picture) {
        QFile file(m_pictureFile);
        const QByteArray data = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        m_picture = decodeJpeg(data, jpegColoursForDepth(QPixmap::defaultDepth())).image;
    }
    return *m_picture;
}
