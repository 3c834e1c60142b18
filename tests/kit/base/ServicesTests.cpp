#include "ManualClockTest.h"

#include "kit/base/Bundle.h"
#include "kit/base/Localization.h"
#include "kit/base/NotificationCenter.h"

#include <filesystem>
#include <fstream>

namespace {

TEST(Localization, LooksKeysUpAndFillsFormats)
{
    EXPECT_EQ(kit::localized("No Data"), "No Data");
    kit::StringTable::setActive({{"No Data", "Keine Daten"}, {"%@ files", "%@ Dateien"}});
    EXPECT_EQ(kit::localized("No Data"), "Keine Daten");
    EXPECT_EQ(kit::localizedFormat("%@ files", "12"), "12 Dateien");
    kit::StringTable::setActive({});
    EXPECT_EQ(kit::localized("No Data"), "No Data");

    EXPECT_EQ(kit::localizedFormat("%@ %@", "Target", "42"), "Target 42");
    EXPECT_EQ(kit::localizedFormat("%2$@ before %1$@", "a", "b"), "b before a");
    EXPECT_EQ(kit::localizedFormat("(%lld files) %d%%", 12, -3), "(12 files) -3%");
    EXPECT_EQ(kit::localizedFormat("%@ and %@", "one"), "one and ");
    EXPECT_EQ(kit::formatText("100% sure", {}), "100% sure");
}

TEST(Localization, ComparesTextsAfterCanonicalComposition)
{
    std::string composed = "caf\xC3\xA9";    // é as one code point
    std::string decomposed = "cafe\xCC\x81"; // e + combining acute accent
    EXPECT_NE(composed, decomposed);
    EXPECT_EQ(kit::nfc(decomposed), composed);
    EXPECT_TRUE(kit::equalAfterNFC(composed, decomposed));
}

using NotificationCenterTest = ManualClockTest;

TEST_F(NotificationCenterTest, DeliversByNameAndSenderIdentityInRegistrationOrder)
{
    kit::NotificationCenter center;
    auto sender = kit::AnyObject::box(std::string("sender"));
    auto twin = kit::AnyObject::box(std::string("sender")); // equal value, other object
    std::vector<std::string> log;
    auto any =
        center.addObserver("ping", {}, kit::NotificationCenter::Delivery::postingThread,
                           [&](const kit::Notification& n) { log.push_back("any:" + *n.object.as<std::string>()); });
    auto fromSender = center.addObserver("ping", sender, kit::NotificationCenter::Delivery::postingThread,
                                         [&](const kit::Notification&) { log.push_back("sender"); });
    auto other = center.addObserver("pong", {}, kit::NotificationCenter::Delivery::postingThread,
                                    [&](const kit::Notification&) { log.push_back("pong"); });
    center.post("ping", sender);
    center.post("ping", twin);
    EXPECT_EQ(log, (std::vector<std::string>{"any:sender", "sender", "any:sender"}));

    log.clear();
    fromSender.cancel();
    center.post("ping", sender);
    EXPECT_EQ(log, (std::vector<std::string>{"any:sender"}));
}

TEST_F(NotificationCenterTest, MainQueueObserversAndPublishers)
{
    auto& center = kit::NotificationCenter::defaultCenter();
    std::vector<std::string> log;
    auto queued = center.addObserver("tick", {}, kit::NotificationCenter::Delivery::mainQueue,
                                     [&](const kit::Notification&) { log.push_back("queued"); });
    auto published =
        center.publisher("tick").sink([&](const kit::Notification& n) { log.push_back("published:" + n.name); });
    center.post("tick");
    EXPECT_EQ(log, (std::vector<std::string>{"published:tick"}));
    kit::runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"published:tick", "queued"}));
}

TEST(AnyObjectTest, TypedAccessAndIdentity)
{
    auto box = kit::AnyObject::box(std::vector<int>{1, 2});
    EXPECT_EQ(box.as<std::vector<int>>()->size(), 2u);
    EXPECT_EQ(box.as<std::vector<long>>(), nullptr);
    EXPECT_EQ(box, box);
    EXPECT_TRUE(kit::AnyObject().isNone());
}

TEST(BundleTest, FindsAuxiliaryExecutablesAndResourcesUnderItsRoot)
{
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("qm-bundle-" + std::to_string(::getpid()));
    fs::create_directories(root / "libexec/quillmarrow");
    fs::create_directories(root / "share/quillmarrow");
    std::ofstream(root / "libexec/quillmarrow/tool") << "#!/bin/sh\n";
    std::ofstream(root / "share/quillmarrow/data.json") << "{}";

    kit::Bundle bundle(root.string());
    EXPECT_EQ(bundle.auxiliaryExecutable("tool"), (root / "libexec/quillmarrow/tool").string());
    EXPECT_FALSE(bundle.auxiliaryExecutable("missing"));
    EXPECT_EQ(bundle.auxiliaryExecutablePath("missing"), (root / "libexec/quillmarrow/missing").string());
    EXPECT_EQ(bundle.resource("data", "json"), (root / "share/quillmarrow/data.json").string());
    EXPECT_FALSE(bundle.resource("data", "txt"));

    // Without an override the main bundle sits above the executable's folder
    // (the test binaries live in <build>/tests/bin), whatever the working directory.
    auto cwd = fs::current_path();
    fs::current_path(root);
    EXPECT_EQ(fs::path(kit::Bundle::main().root()), fs::weakly_canonical(fs::path(QM_TEST_BIN_DIR) / ".."));
    fs::current_path(cwd);
    kit::Bundle::overrideMain(root.string());
    EXPECT_EQ(kit::Bundle::main().resource("data", "json"), (root / "share/quillmarrow/data.json").string());
    kit::Bundle::overrideMain(QM_BUNDLE_DIR);
    fs::remove_all(root);
}

} // namespace
