#include "app/screens/SplashBlobs.h"

#include "app/screens/MainColor.h"
#include "app/screens/SplashScreen.h"
#include "kit/ui/HostingWidget.h"
#include "kit/ui/Stacks.h"
#include "liquid/Liquid.h"

namespace qm {

kit::View splashBlobs(kit::Color colour)
{
    std::vector<kit::View> layers;
    for (const auto& layer : SplashScreen::kLayers)
        layers.push_back(
            liquid::Liquid(8, 6.0).frame(layer.width, layer.height).foregroundColor(colour).opacity(layer.opacity));
    return kit::ZStack(std::move(layers));
}

QWidget* makeSplashBlobs(QWidget* parent)
{
    const bool dark = parent && parent->palette().color(QPalette::Window).lightness() < 128;
    const QColor main = mainColor(dark);
    auto* blobs = new kit::HostingWidget(splashBlobs(kit::Color::rgb(main.redF(), main.greenF(), main.blueF())),
                                         parent);
    blobs->setObjectName(QStringLiteral("blobs"));
    blobs->setAttribute(Qt::WA_TransparentForMouseEvents);
    return blobs;
}

} // namespace qm
