#include "app/screens/SplashBlobs.h"

#include "app/screens/MainColor.h"
#include "app/screens/SplashScreen.h"
#include "kit/ui/HostingWidget.h"
#include "kit/ui/Stacks.h"
#include "liquid/Liquid.h"

namespace qm {

QWidget* makeSplashBlobs(QWidget* parent)
{
    const bool dark = parent && parent->palette().color(QPalette::Window).lightness() < 128;
    const QColor main = mainColor(dark);
    const kit::Color colour = kit::Color::rgb(main.redF(), main.greenF(), main.blueF());
    std::vector<kit::View> layers;
    for (const auto& layer : SplashScreen::kLayers)
        layers.push_back(
            liquid::Liquid(8, 6.0).frame(layer.width, layer.height).foregroundColor(colour).opacity(layer.opacity));
    auto* blobs = new kit::HostingWidget(kit::ZStack(std::move(layers)), parent);
    blobs->setObjectName(QStringLiteral("blobs"));
    blobs->setAttribute(Qt::WA_TransparentForMouseEvents);
    return blobs;
}

} // namespace qm
