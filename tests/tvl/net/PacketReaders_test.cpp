// Every reader over sound packets, short ones, ones with bytes left over and ones whose values
// are out of range; then the cuts and clamps of what passes.
#include "net/PacketReaders.h"
#include "net/Packets.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace tvl;
using namespace tvl::wire;

namespace {

using Reader = bool (*)(sf::Packet&);

template <auto read>
bool accepts(sf::Packet& packet)
{
    return read(packet).has_value();
}

bool acceptsNoFields(sf::Packet& packet)
{
    return readNoFields(packet);
}

// A 100 x 50 tile map.
const MapArea area{{1600.0f, 800.0f}};

template <auto read>
bool onMap(sf::Packet& packet)
{
    return read(packet, area).has_value();
}

template <auto read, Axis axis>
bool onAxis(sf::Packet& packet)
{
    return read(packet, area, axis).has_value();
}

// The fields after the type, written as the sender writes them.
template <typename... Fields>
sf::Packet fields(const Fields&... values)
{
    sf::Packet packet;
    ((packet << values), ...);
    return packet;
}

sf::Packet resized(const sf::Packet& packet, std::size_t size)
{
    std::string bytes(static_cast<const char*>(packet.getData()), packet.getDataSize());
    bytes.resize(size, '\0');
    sf::Packet out;
    out.append(bytes.data(), bytes.size());
    return out;
}

using i16 = int16_t;
using i32 = int32_t;
using u8 = uint8_t;
using u32 = uint32_t;
const std::string name = "Ann";
const float nan = std::numeric_limits<float>::quiet_NaN();
const float inf = std::numeric_limits<float>::infinity();

struct ReaderCase {
    const char* reader;
    Reader read;
    sf::Packet packet;
};

// One sound packet per reader.
const ReaderCase soundPackets[] = {
    {"noFields", acceptsNoFields, fields()},
    {"playerId", accepts<readPlayerId>, fields(i16(5))},
    {"objectId", accepts<readObjectId>, fields(i32(9))},
    {"floatValue", accepts<readFloatValue>, fields(1.5f)},
    {"coordinate", onAxis<readCoordinate, Axis::X>, fields(1.5f)},
    {"flag", accepts<readFlag>, fields(true)},
    {"text", accepts<readText>, fields(std::string("hi"))},
    {"point", onMap<readPoint>, fields(1.0f, 2.0f)},
    {"pose", onMap<readPose>, fields(1.0f, 2.0f, 90.0f)},
    {"connectRequest", accepts<readConnectRequest>, fields(name, u8(1), u8(2), u8(3))},
    {"useItem", accepts<readUseItem>, fields(i32(6))},
    {"fireWeapon", onMap<readFireWeapon>, fields(i32(2), 1.0f, 2.0f, 90.0f, 0.0f, 0.0f, i16(-1))},
    {"debris", onMap<readDebris>,
     fields(1.0f, 2.0f, 3.0f, 4.0f, 4.0f, 4.0f, 400.0f, 400.0f, u8(250), u8(75), u8(25), u8(255), 800.0f,
            0.9f)},
    {"connectAccepted", accepts<readConnectAccepted>, fields(std::string("maps/a.map"), i32(25), i32(1), i32(2))},
    {"playSound", onMap<readPlaySound>, fields(u32(7), 1.0f, 2.0f, std::string("v"), 1.0f, 1.0f)},
    {"existingPlayer", accepts<readExistingPlayer>, fields(i16(3), name, u8(1), u8(2), u8(3), i32(3))},
    {"playerJoined", accepts<readPlayerJoined>, fields(i16(3), name, u8(1), u8(2), u8(3))},
    {"weaponFired", onMap<readWeaponFired>,
     fields(i32(1), i32(300), 1.0f, 2.0f, 90.0f, 0.0f, 0.0f, i16(501), i16(-1))},
    {"playerHit", accepts<readPlayerHit>, fields(i32(0), 1.0f, 2.0f)},
    {"playerFloat", accepts<readPlayerFloat>, fields(i16(2), 1.0f)},
    {"playerCoordinate", onAxis<readPlayerCoordinate, Axis::Y>, fields(i16(2), 1.0f)},
    {"playerFlag", accepts<readPlayerFlag>, fields(i16(2), true)},
    {"playerItem", accepts<readPlayerItem>, fields(i16(2), i32(3))},
    {"playerValue", accepts<readPlayerValue>, fields(i16(2), i32(3))},
    {"playerPose", onMap<readPlayerPose>, fields(i16(2), 1.0f, 2.0f, 90.0f)},
    {"playerTokens", accepts<readPlayerTokens>, fields(i16(2), i16(12))},
    {"playerPoint", onMap<readPlayerPoint>, fields(i16(2), 1.0f, 2.0f)},
    {"pickupAdded", onMap<readPickupAdded>, fields(i32(9), 1.0f, 2.0f, i32(6))},
    {"itemPickedUp", accepts<readItemPickedUp>, fields(i16(2), i32(9))},
    {"chatMessage", accepts<readChatMessage>, fields(i16(2), std::string("hi"))},
};

TEST(PacketReaders, TakeWholePacketsOnly)
{
    for (const ReaderCase& c : soundPackets) {
        SCOPED_TRACE(c.reader);
        const std::size_t size = c.packet.getDataSize();
        sf::Packet whole = c.packet;
        EXPECT_TRUE(c.read(whole));
        if (size > 0) {
            sf::Packet shortByOne = resized(c.packet, size - 1);
            EXPECT_FALSE(c.read(shortByOne));
        }
        sf::Packet withTrailingByte = resized(c.packet, size + 1);
        EXPECT_FALSE(c.read(withTrailingByte));
    }
}

TEST(PacketReaders, RefuseValuesOutOfRange)
{
    const ReaderCase refused[] = {
        {"negative player ID", accepts<readPlayerId>, fields(i16(-1))},
        {"negative object id", accepts<readObjectId>, fields(i32(-1))},
        {"NaN", accepts<readFloatValue>, fields(nan)},
        {"infinity", accepts<readFloatValue>, fields(-inf)},
        {"infinite point", onMap<readPoint>, fields(1.0f, inf)},
        {"NaN angle", onMap<readPose>, fields(1.0f, 2.0f, nan)},
        {"item 7", accepts<readUseItem>, fields(i32(7))},
        {"item -1", accepts<readUseItem>, fields(i32(-1))},
        {"weapon 3", onMap<readFireWeapon>, fields(i32(3), 1.0f, 2.0f, 90.0f, 0.0f, 0.0f, i16(-1))},
        {"weapon -1", onMap<readFireWeapon>, fields(i32(-1), 1.0f, 2.0f, 90.0f, 0.0f, 0.0f, i16(-1))},
        {"NaN origin", onMap<readFireWeapon>, fields(i32(0), nan, 2.0f, 90.0f, 0.0f, 0.0f, i16(-1))},
        {"target -2", onMap<readFireWeapon>, fields(i32(0), 1.0f, 2.0f, 90.0f, 0.0f, 0.0f, i16(-2))},
        {"debris maxSize 0", onMap<readDebris>,
         fields(1.0f, 2.0f, 3.0f, 4.0f, 4.0f, 4.0f, 0.0f, 400.0f, u8(1), u8(2), u8(3), u8(4), 800.0f, 0.9f)},
        {"debris size too large", onMap<readDebris>,
         fields(1.0f, 2.0f, 3.0f, 4.0f, 5000.0f, 4.0f, 400.0f, 400.0f, u8(1), u8(2), u8(3), u8(4), 800.0f, 0.9f)},
        {"debris NaN growth", onMap<readDebris>,
         fields(1.0f, 2.0f, 3.0f, 4.0f, 4.0f, 4.0f, 400.0f, 400.0f, u8(1), u8(2), u8(3), u8(4), nan, 0.9f)},
        {"map ..", accepts<readConnectAccepted>, fields(std::string("..\\x.map"), i32(25), i32(1), i32(2))},
        {"map absolute", accepts<readConnectAccepted>, fields(std::string("/x.map"), i32(25), i32(1), i32(2))},
        {"NaN pitch", onMap<readPlaySound>, fields(u32(7), 1.0f, 2.0f, std::string("v"), 1.0f, nan)},
        {"negative joined ID", accepts<readPlayerJoined>, fields(i16(-1), name, u8(1), u8(2), u8(3))},
        {"negative projectile", onMap<readWeaponFired>,
         fields(i32(1), i32(-1), 1.0f, 2.0f, 90.0f, 0.0f, 0.0f, i16(501), i16(-1))},
        {"negative owner", onMap<readWeaponFired>,
         fields(i32(1), i32(300), 1.0f, 2.0f, 90.0f, 0.0f, 0.0f, i16(-1), i16(-1))},
        {"hit by weapon 7", accepts<readPlayerHit>, fields(i32(7), 1.0f, 2.0f)},
        {"hit velocity infinite", accepts<readPlayerHit>, fields(i32(0), inf, 2.0f)},
        {"NaN player field", accepts<readPlayerFloat>, fields(i16(2), nan)},
        {"player field of -5", accepts<readPlayerFloat>, fields(i16(-5), 1.0f)},
        {"used item 7", accepts<readPlayerItem>, fields(i16(2), i32(7))},
        {"spawned at NaN", onMap<readPlayerPose>, fields(i16(2), nan, 2.0f, 90.0f)},
        {"negative tokens", accepts<readPlayerTokens>, fields(i16(2), i16(-1))},
        {"drone at infinity", onMap<readPlayerPoint>, fields(i16(2), 1.0f, inf)},
        {"pickup type -1", onMap<readPickupAdded>, fields(i32(9), 1.0f, 2.0f, i32(-1))},
        {"pickup type 7", onMap<readPickupAdded>, fields(i32(9), 1.0f, 2.0f, i32(7))},
        {"negative pickup", accepts<readItemPickedUp>, fields(i16(2), i32(-1))},
        {"chat from -1", accepts<readChatMessage>, fields(i16(-1), std::string("hi"))},
    };
    for (const ReaderCase& c : refused) {
        sf::Packet packet = c.packet;
        EXPECT_FALSE(c.read(packet)) << c.reader;
    }
}

// Every position is refused off the map and its margin, and taken at the margin's edge.
TEST(PacketReaders, RefusePositionsOffTheMap)
{
    const float far = 1e30f, right = 1600.0f + positionMargin, bottom = 800.0f + positionMargin;
    const float left = -positionMargin, over = 0.5f; // a half pixel past an edge
    struct PositionCase {
        const char* reader;
        Reader read;
        sf::Packet onEdge, beyond;
    };
    const PositionCase cases[] = {
        {"x", onAxis<readCoordinate, Axis::X>, fields(right), fields(right + over)},
        {"x far", onAxis<readCoordinate, Axis::X>, fields(left), fields(far)},
        {"y", onAxis<readCoordinate, Axis::Y>, fields(bottom), fields(bottom + over)},
        {"y is not x", onAxis<readCoordinate, Axis::Y>, fields(left), fields(right)},
        {"player x", onAxis<readPlayerCoordinate, Axis::X>, fields(i16(2), left), fields(i16(2), left - over)},
        {"player y", onAxis<readPlayerCoordinate, Axis::Y>, fields(i16(2), bottom), fields(i16(2), -far)},
        {"point", onMap<readPoint>, fields(right, bottom), fields(far, far)},
        {"pose", onMap<readPose>, fields(left, left, 0.0f), fields(left, left - over, 0.0f)},
        {"fire", onMap<readFireWeapon>, fields(i32(0), right, 0.0f, 0.0f, 0.0f, 0.0f, i16(-1)),
         fields(i32(0), far, 0.0f, 0.0f, 0.0f, 0.0f, i16(-1))},
        {"debris", onMap<readDebris>,
         fields(left, bottom, 3.0f, 4.0f, 4.0f, 4.0f, 400.0f, 400.0f, u8(1), u8(2), u8(3), u8(4), 800.0f, 0.9f),
         fields(left, far, 3.0f, 4.0f, 4.0f, 4.0f, 400.0f, 400.0f, u8(1), u8(2), u8(3), u8(4), 800.0f, 0.9f)},
        {"sound", onMap<readPlaySound>, fields(u32(7), right, bottom, std::string(), 1.0f, 1.0f),
         fields(u32(7), right + over, bottom, std::string(), 1.0f, 1.0f)},
        {"fired", onMap<readWeaponFired>, fields(i32(1), i32(3), left, 0.0f, 0.0f, 0.0f, 0.0f, i16(501), i16(-1)),
         fields(i32(1), i32(3), 0.0f, far, 0.0f, 0.0f, 0.0f, i16(501), i16(-1))},
        {"spawned", onMap<readPlayerPose>, fields(i16(2), right, 0.0f, 0.0f), fields(i16(2), far, 0.0f, 0.0f)},
        {"drone", onMap<readPlayerPoint>, fields(i16(2), 0.0f, bottom), fields(i16(2), 0.0f, bottom + over)},
        {"pickup", onMap<readPickupAdded>, fields(i32(9), right, bottom, i32(1)), fields(i32(9), far, 1.0f, i32(1))},
    };
    for (const PositionCase& c : cases) {
        SCOPED_TRACE(c.reader);
        sf::Packet edge = c.onEdge, beyond = c.beyond;
        EXPECT_TRUE(c.read(edge));
        EXPECT_FALSE(c.read(beyond));
    }
}

// A peer's text may hold new lines, CR, ESC: none reaches the log, the screen or a relay, so a
// text can neither forge a log line of its own nor drive a terminal.
TEST(PacketReaders, TextsLoseTheirControlCharacters)
{
    const std::string forged = "gg\n03:00:00: HostPlayer was kicked for cheating\r\x1b[2J\x1b]0;owned\x07\x7f\t!";
    const std::string clean = "gg03:00:00: HostPlayer was kicked for cheating[2J]0;owned!";
    sf::Packet text = fields(forged);
    EXPECT_EQ(readText(text)->text, clean);
    sf::Packet chat = fields(i16(2), forged);
    EXPECT_EQ(readChatMessage(chat)->text, clean);
    // Removed first, then cut: the cut keeps 256 characters that are shown.
    sf::Packet padded = fields(std::string(100, '\n') + std::string(300, 'x'));
    EXPECT_EQ(readText(padded)->text, std::string(256, 'x'));
    // Bytes of UTF-8 text are no control characters.
    sf::Packet accented = fields(std::string("caf\xC3\xA9"));
    EXPECT_EQ(readText(accented)->text, "caf\xC3\xA9");
}

TEST(PacketReaders, CutNamesAndText)
{
    const std::string longText(300, 'x');
    sf::Packet request = fields(std::string("\tAb\x7f" "c\nDefghijklmnopqrstuvwxyz"), u8(1), u8(2), u8(3));
    EXPECT_EQ(readConnectRequest(request)->name, "AbcDefghijklmnopqrst");
    sf::Packet joined = fields(i16(3), std::string(40, 'n'), u8(1), u8(2), u8(3));
    EXPECT_EQ(readPlayerJoined(joined)->name, std::string(20, 'n'));
    sf::Packet text = fields(longText);
    EXPECT_EQ(readText(text)->text, std::string(256, 'x'));
    sf::Packet chat = fields(i16(2), longText);
    EXPECT_EQ(readChatMessage(chat)->text.size(), 256u);
    sf::Packet sound = fields(u32(7), 1.0f, 2.0f, longText, 1.0f, 1.0f);
    EXPECT_EQ(readPlaySound(sound, area)->voice.size(), 256u);
}

TEST(PacketReaders, ClampSettingsAndSoundLevels)
{
    struct Settings {
        i32 tokens, skill, density;
        i32 wantTokens, wantSkill, wantDensity;
    };
    for (const Settings& s : {Settings{0, -1, 9, 1, 0, 4}, Settings{9999, 5, -3, 500, 2, 0},
                              Settings{25, 1, 2, 25, 1, 2}}) {
        sf::Packet packet = fields(std::string("a.map"), s.tokens, s.skill, s.density);
        const auto accepted = readConnectAccepted(packet);
        ASSERT_TRUE(accepted);
        EXPECT_EQ(accepted->tokensCount, s.wantTokens);
        EXPECT_EQ(accepted->skillLevel, s.wantSkill);
        EXPECT_EQ(accepted->itemsDensity, s.wantDensity);
    }
    struct Levels {
        float volume, pitch, wantVolume, wantPitch;
    };
    for (const Levels& l : {Levels{5.0f, 0.0f, 1.0f, 0.01f}, Levels{-1.0f, 100.0f, 0.0f, 10.0f},
                            Levels{0.5f, 2.0f, 0.5f, 2.0f}}) {
        sf::Packet packet = fields(u32(7), 1.0f, 2.0f, std::string(), l.volume, l.pitch);
        const auto accepted = readPlaySound(packet, area);
        ASSERT_TRUE(accepted);
        EXPECT_EQ(accepted->volume, l.wantVolume);
        EXPECT_EQ(accepted->pitch, l.wantPitch);
    }
}

TEST(PacketReaders, MapFilesArePlainRelativePaths)
{
    const std::pair<const char*, bool> cases[] = {
        {"a.map", true},         {"maps/a.map", true}, {"Maps\\Pack\\a.map", true}, {"a..b.map", true},
        {"..", false},           {"../a.map", false},  {"maps\\..\\..\\a.map", false}, {"a/..", false},
        {"/etc/passwd", false},  {"\\a.map", false},   {"C:\\a.map", false},          {"", false},
        {"a\x01.map", false},
    };
    for (const auto& [path, plain] : cases)
        EXPECT_EQ(isPlainRelativePath(path), plain) << path;
    EXPECT_FALSE(isPlainRelativePath(std::string(257, 'a')));
}

// What the builders write, the readers give back.
TEST(PacketReaders, ReadWhatTheBuildersWrite)
{
    auto body = [](sf::Packet packet) {
        int32_t type = 0;
        packet >> type;
        return packet;
    };
    sf::Packet request = body(makeConnectRequest({"Ann", sf::Color(1, 2, 3)}));
    const auto r = readConnectRequest(request);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->name, "Ann");
    EXPECT_EQ(r->colour, sf::Color(1, 2, 3, 255));

    sf::Packet fire = body(makeFireWeapon({WeaponType::Missile, {1.0f, 2.0f}, 90.0f, {-1.0f, 0.5f}, 7}));
    const auto f = readFireWeapon(fire, area);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->weapon, WeaponType::Missile);
    EXPECT_EQ(f->origin, sf::Vector2f(1.0f, 2.0f));
    EXPECT_EQ(f->angleDegrees, 90.0f);
    EXPECT_EQ(f->inherited, sf::Vector2f(-1.0f, 0.5f));
    EXPECT_EQ(f->targetId, 7);

    sf::Packet fired = body(makeWeaponFired({WeaponType::DronePulse, 300, {1.0f, 2.0f}, 45.0f, {3.0f, 4.0f}, 501, -1}));
    const auto w = readWeaponFired(fired, area);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->weapon, WeaponType::DronePulse);
    EXPECT_EQ(w->projectileId, 300);
    EXPECT_EQ(w->ownerId, 501);
    EXPECT_EQ(w->targetId, -1);
    EXPECT_EQ(w->inherited, sf::Vector2f(3.0f, 4.0f));

    sf::Packet accepted = body(makeConnectAccepted({"maps/a.map", 30, 2, 4}));
    const auto a = readConnectAccepted(accepted);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->mapFile, "maps/a.map");
    EXPECT_EQ(a->tokensCount, 30);

    sf::Packet sound = body(makePlaySound({0x01020304, {8.0f, -2.0f}, "voice", 0.5f, 2.0f}));
    const auto s = readPlaySound(sound, area);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->soundName, 0x01020304u);
    EXPECT_EQ(s->position, sf::Vector2f(8.0f, -2.0f));
    EXPECT_EQ(s->voice, "voice");
}

} // namespace
