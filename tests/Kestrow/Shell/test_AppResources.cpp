#include "Kestrow/Shell/AppResources.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>

using namespace Kestrow;

namespace {

// Points the resource lookup at a folder for the life of the object.
struct ResourceRoot {
    QTemporaryDir dir;
    QByteArray old = qgetenv("VANTREL_RESOURCES");
    ResourceRoot() { qputenv("VANTREL_RESOURCES", dir.path().toLocal8Bit()); }
    ~ResourceRoot() {
        if (old.isEmpty()) qunsetenv("VANTREL_RESOURCES");
        else qputenv("VANTREL_RESOURCES", old);
    }
    QString mkdir(const QString& name) {
        QDir(dir.path()).mkpath(name);
        return dir.path() + u'/' + name;
    }
};

QString dejaVu() {
    for (const char* p : {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"})
        if (QFile::exists(p)) return QString::fromLatin1(p);
    return {};
}

}  // namespace

TEST(AppResources, InstalledFolderWinsOverTheCheckout) {
    ResourceRoot root;
    EXPECT_FALSE(AppResources::dir("Nothing").has_value());
    // Symbols exist in the checkout; an installed copy of the folder is preferred.
    ASSERT_TRUE(AppResources::checkoutRoot().has_value());
    EXPECT_EQ(AppResources::dir("Symbols"), AppResources::checkoutRoot().value() + "/Symbols");
    const QString mine = root.mkdir("Symbols");
    EXPECT_EQ(AppResources::dir("Symbols"), QDir::cleanPath(mine));
}

TEST(AppResources, RegistersFontsByExactSuffix) {
    const QString source = dejaVu();
    if (source.isEmpty()) GTEST_SKIP() << "no DejaVu font to copy";
    ResourceRoot root;
    const QString fonts = root.mkdir("Fonts");
    ASSERT_TRUE(QFile::copy(source, fonts + "/Extra.TTF"));
    ASSERT_TRUE(QFile::copy(source, fonts + "/notes.txt"));
    EXPECT_EQ(AppResources::registerFonts(), 0);
    ASSERT_TRUE(QFile::copy(source, fonts + "/Extra.ttf"));
    EXPECT_EQ(AppResources::registerFonts(), 1);
}

TEST(AppResources, TrayGlyphNeverNull) {
    ResourceRoot root;
    qputenv("VANTREL_RESOURCES", root.dir.path().toLocal8Bit() + "/missing");
    for (AppIconChoice c : {AppIconChoice::dark, AppIconChoice::light, AppIconChoice::sparkle})
        for (bool dark : {false, true}) EXPECT_FALSE(AppResources::trayGlyph(c, dark).pixmap(18, 18).isNull());
    EXPECT_FALSE(AppResources::symbol("check").pixmap(16, 16).isNull());
}
