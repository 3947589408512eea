#include "picture_area.h"

#include "jpeg_image.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

PictureArea::PictureArea(QWidget* parent)
    : QWidget(parent)
{
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
