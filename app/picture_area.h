#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

// Shows a JPEG picture unscaled from its top-left corner; decoded once, when first drawn.
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

    QString m_pictureFile;
    // Empty until the first paint; a picture that failed to decode stays a null image, not retried.
    std::optional<QImage> m_picture;
};
