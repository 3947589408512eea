#include "picture_area.h"

#include "jpeg_image.h"
#include "qt_geometry.h"
#include "window_scaling.h"

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

QImage decodedFile(const QString& fileName)
{
    QFile file(fileName);
    const QByteArray data = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return decodeJpeg(data, jpegColoursForDepth(QPixmap::defaultDepth())).image;
}

QString doubleSizeFile(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const qsizetype end = dot > fileName.lastIndexOf(u'/') ? dot : fileName.size();
    return fileName.first(end) + QStringLiteral("@2x") + fileName.sliced(end);
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
    if (!m_picture)
        m_picture = scaledPicture();
    return *m_picture;
}

QImage PictureArea::scaledPicture() const
{
    const QImage designed = decodedFile(m_pictureFile);
    const int lineHeight = fontMetrics().height();
    if (designed.isNull() || lineHeight == DesignLineHeight)
        return designed;
    QImage source = designed;
    if (lineHeight > DesignLineHeight) {
        // Reduced, the larger picture stays sharp where the designed one, enlarged, would blur.
        const QImage larger = decodedFile(doubleSizeFile(m_pictureFile));
        if (larger.size() == designed.size() * 2)
            source = larger;
    }
    return source.scaled(toQt(scaledForLineHeight(fromQt(designed.size()), lineHeight)), Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
}
