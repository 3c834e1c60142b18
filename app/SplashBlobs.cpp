#include "app/SplashBlobs.h"

#include "app/MainColor.h"
#include "app/SplashScreen.h"

#include <QPainter>

namespace qm {

namespace {

// Still ellipses in the blobs' places until the morphing shapes are drawn.
class StillBlobs : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        const bool dark = palette().color(QPalette::Window).lightness() < 128;
        for (const auto& layer : SplashScreen::kLayers) {
            QColor color = mainColor(dark);
            color.setAlphaF(float(layer.opacity));
            painter.setBrush(color);
            const QRectF frame((width() - layer.width) / 2.0, (height() - layer.height) / 2.0, layer.width, layer.height);
            painter.drawEllipse(frame);
        }
    }
};

} // namespace

QWidget* makeSplashBlobs(QWidget* parent)
{
    auto* blobs = new StillBlobs(parent);
    blobs->setObjectName(QStringLiteral("blobsPending"));
    blobs->setAttribute(Qt::WA_TransparentForMouseEvents);
    return blobs;
}

} // namespace qm
