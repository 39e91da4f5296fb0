#include "core/PcxImage.h"

#include "support/PcxFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using testsupport::makePalette;
using testsupport::makePcx;
using testsupport::PcxHeader;

namespace {

kv::PcxStatus decode(const std::string& file, sf::Image& image)
{
    return kv::decodePcxImage(reinterpret_cast<const uint8_t*>(file.data()), file.size(), image);
}

sf::Color at(const sf::Image& image, unsigned x, unsigned y)
{
    return image.getPixel(x, y);
}

} // namespace

TEST(PcxImage, OnePlaneUsesThePaletteAndMagentaIsTransparent)
{
    // Palette: 0 black, 1 red, 2 magenta, 3 grey. 3 x 2 picture: a run of three 1s (0xC3 0x01),
    // then literal 2, an escaped literal 0xC5 (count 1), and 3.
    const std::string palette = makePalette(std::string("\0\0\0\xFF\0\0\xFF\0\xFF\x80\x80\x80", 12));
    PcxHeader h;
    h.width = 3;
    h.height = 2;
    h.bytesPerLine = 4; // one pad byte a line
    const std::string data("\xC4\x01" "\x02\xC1\xC5\x03\x00", 7);
    sf::Image image;
    ASSERT_EQ(decode(makePcx(h, data, palette), image), kv::PcxStatus::ok);
    ASSERT_EQ(image.getSize(), sf::Vector2u(3, 2));
    EXPECT_EQ(at(image, 0, 0), sf::Color(255, 0, 0, 255));
    EXPECT_EQ(at(image, 2, 0), sf::Color(255, 0, 0, 255));
    EXPECT_EQ(at(image, 0, 1), sf::Color(0, 0, 0, 0)); // magenta
    EXPECT_EQ(at(image, 1, 1), sf::Color(0, 0, 0, 255)); // index 0xC5: palette black
    EXPECT_EQ(at(image, 2, 1), sf::Color(128, 128, 128, 255));
}

TEST(PcxImage, ThreePlanesAreRedGreenBlueWithPaddedLines)
{
    // 2 x 2, bytes per line 4 (padded): the blue plane starts at 8, past width * 3.
    PcxHeader h;
    h.width = 2;
    h.height = 2;
    h.planes = 3;
    h.bytesPerLine = 4;
    // Line 0: R 10 20 pad pad, G 30 40 pad pad, B 50 60 pad pad.
    // Line 1: one run of twenty 0xFF (0xD4 0xFF): the line takes twelve.
    const std::string data("\x0A\x14\x00\x00\x1E\x28\x00\x00\x32\x3C\x00\x00"
                           "\xD4\xFF",
                           14);
    sf::Image image;
    ASSERT_EQ(decode(makePcx(h, data), image), kv::PcxStatus::ok);
    EXPECT_EQ(at(image, 0, 0), sf::Color(10, 30, 50, 255));
    EXPECT_EQ(at(image, 1, 0), sf::Color(20, 40, 60, 255));
    EXPECT_EQ(at(image, 1, 1), sf::Color(255, 255, 255, 255));

    // A run of five fills the three bytes of line 0 and no more; a zero count writes nothing.
    h.width = 1;
    h.bytesPerLine = 1;
    ASSERT_EQ(decode(makePcx(h, std::string("\xC5\x10\xC0\x99\x40\x50\x60", 7)), image), kv::PcxStatus::ok);
    EXPECT_EQ(at(image, 0, 0), sf::Color(0x10, 0x10, 0x10, 255));
    EXPECT_EQ(at(image, 0, 1), sf::Color(0x40, 0x50, 0x60, 255));
}

TEST(PcxImage, RefusesBadHeadersPalettesAndShortData)
{
    const std::string palette = makePalette("");
    const std::string oneByte(1, '\x01');
    struct Case {
        const char* what;
        std::string file;
        kv::PcxStatus expected;
    };
    auto header = [](auto change) {
        PcxHeader h;
        change(h);
        return h;
    };
    std::string inverted = makePcx(PcxHeader(), oneByte, palette);
    inverted[8] = 0; // Xmax 0 below Xmin 5
    inverted[4] = 5;
    const Case cases[] = {
        {"empty", "", kv::PcxStatus::badHeader},
        {"short header", makePcx(PcxHeader(), "").substr(0, 127), kv::PcxStatus::badHeader},
        {"Xmax below Xmin", inverted, kv::PcxStatus::badHeader},
        {"too wide", makePcx(header([](PcxHeader& h) { h.width = kv::pcxMaxSide + 1; }), oneByte, palette),
         kv::PcxStatus::badHeader},
        {"4 bits per pixel", makePcx(header([](PcxHeader& h) { h.bitsPerPixel = 4; }), oneByte, palette),
         kv::PcxStatus::badHeader},
        {"not run-length", makePcx(header([](PcxHeader& h) { h.encoding = 0; }), oneByte, palette),
         kv::PcxStatus::badHeader},
        {"two planes", makePcx(header([](PcxHeader& h) { h.planes = 2; }), "\x01\x01", palette),
         kv::PcxStatus::badHeader},
        {"no planes", makePcx(header([](PcxHeader& h) { h.planes = 0; }), oneByte, palette),
         kv::PcxStatus::badHeader},
        {"line shorter than the width",
         makePcx(header([](PcxHeader& h) { h.width = 4; h.bytesPerLine = 3; }), "\x01\x01\x01", palette),
         kv::PcxStatus::badHeader},
        {"no palette", makePcx(PcxHeader(), oneByte), kv::PcxStatus::badPalette},
        {"wrong marker", makePcx(PcxHeader(), oneByte, palette).replace(129, 1, "\x0B"),
         kv::PcxStatus::badPalette},
        {"one plane, data short", makePcx(header([](PcxHeader& h) { h.height = 2; }), oneByte, palette),
         kv::PcxStatus::badData},
        {"run count without its value", makePcx(PcxHeader(), "\xC3", palette), kv::PcxStatus::badData},
        {"three planes, data short", makePcx(header([](PcxHeader& h) { h.planes = 3; }), "\x01\x02"),
         kv::PcxStatus::badData},
    };
    for (const Case& c : cases) {
        sf::Image image;
        image.create(2, 2, sf::Color::Blue);
        EXPECT_EQ(decode(c.file, image), c.expected) << c.what;
        EXPECT_EQ(image.getSize(), sf::Vector2u(2, 2)) << c.what << ": image left as it was";
    }
}

TEST(PcxImage, LoadReportsMissingAndBadFiles)
{
    testsupport::TempDir dir;
    dir.enter();
    PcxHeader h;
    h.planes = 3;
    dir.write("Pics/Ok.pcx", makePcx(h, "\x01\x02\x03"));
    dir.write("Pics/bad.pcx", "not a picture");

    sf::Image ok = kv::loadPcxImage("PICS\\ok.PCX");
    EXPECT_EQ(ok.getSize(), sf::Vector2u(1, 1));
    EXPECT_EQ(ok.getPixel(0, 0), sf::Color(1, 2, 3, 255));

    testing::internal::CaptureStderr();
    EXPECT_EQ(kv::loadPcxImage("PICS\\missing.pcx").getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(kv::loadPcxImage("pics\\bad.pcx").getSize(), sf::Vector2u(0, 0));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Error opening PICS\\missing.pcx"), std::string::npos) << log;
    EXPECT_NE(log.find("Error reading PCX header from pics\\bad.pcx"), std::string::npos) << log;
}
