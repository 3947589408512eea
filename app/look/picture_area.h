#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

// Shows a JPEG picture from its top-left corner, decoded once, when first
// drawn. With the font of the designed line height it is drawn unscaled;
// with another it grows or shrinks by the ratio of the line heights, as the
// window around it does, made then from the picture of twice the size where
// the file has one beside it ("name@2x.jpg").
class PictureArea final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString pictureFile READ pictureFile WRITE setPictureFile)

public:
    explicit PictureArea(QWidget* parent = nullptr);

    QString pictureFile() const { return m_pictureFile; }
    void setPictureFile(const QString& fileName);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& picture();
    QImage scaledPicture() const;

    QString m_pictureFile;
    // Empty until the first paint; a picture that failed to decode stays a null image, not retried.
    std::optional<QImage> m_picture;
};
