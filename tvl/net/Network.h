#pragma once
// The life of a network game: this machine's UDP socket, joining a server, the per-tick network
// service with its keep-alive and silence time-outs, the receive halves of both roles, and the
// routines that end a network game, kick, remove and place players and print chat. The role is
// netRole (world/GameState.h); the packets and the send path are net/Packets.h. Main thread only.
#include "core/Messages.h"
#include "net/Packets.h"
#include "world/GameSettings.h"

#include <SFML/Network/Packet.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>
#include <unordered_map>

namespace tvl {

// What this machine last sent about a player and heard from its machine.
struct PeerState {
    NetAddress address;
    uint32_t lastSentNetTag = 0;
    float lastSentX = 0.0f, lastSentY = 0.0f, lastSentAngle = 0.0f;
    float lastSentSpeed = 0.0f;
    bool lastSentNitro = false;
    bool lastSentDisabled = false;
    float lastSentDroneX = 0.0f, lastSentDroneY = 0.0f, lastSentDroneAngle = 0.0f;
    double lastHeard = 0.0; // on a server: netClockSeconds when this player was last heard from
};
// By player ID.
extern std::unordered_map<uint16_t, PeerState> peers;

// A line about who serves, joins, leaves or drops: on screen like any message, and in the log
// too, so a player's log tells how a network game went.
void printNetworkEvent(const std::string& text, const sf::Color& colour = kv::messageDefaultColour);

// Seconds on the clock every network time-out is measured on: a steady clock, or a test's.
extern double (*netClockSeconds)();

// Periods and limits, in seconds and pixels.
constexpr double keepAlivePeriod = 1.0;     // keep-alive pass, and the re-send of unchanged state
constexpr double silenceWarningAfter = 3.0; // the losing-connection line on every pass
constexpr double silenceDropAfter = 30.0;   // the client leaves, the server kicks
constexpr double unknownSenderQuietSeconds = 5.0; // one unknown-source line per address this often
constexpr float positionThreshold = 1.5f;
constexpr float angleThresholdDegrees = 2.0f;
constexpr float speedThreshold = 1.0f;
constexpr int maxPacketsPerReceive = 1024;
constexpr int handshakeAttempts = 10;

// Host: binds this machine's socket (non-blocking) to port on any address and points
// netTransport at it; false when the port is taken. The window does the rest (role, game).
bool bindServerSocket(uint16_t port);

// Set at start-up by the program (the frame loop lies above the network): plays the
// multiplayer game a server accepted us into; whether a game was played.
extern bool (*playClientGame)(const std::string& mapFile, const GameStartSettings& settings);

// The join flow: binds any free port, sends ConnectRequest once (10 attempts) and shows the
// wait screen until the server answers or Escape cancels (no time-out). Accepted: role
// Client, serverAddress = server, then the game; true when a game was played. Refused: the
// "Connection refused" message, the network shut down, false. An acceptance this machine cannot
// use (a map it does not have, or one its reader refuses: a bad name) says so in a message box
// after the network was shut down (so the server hears Leave), and gives false. No address, a
// failed bind ("Failed to bind UDP socket"), Escape: false.
bool connectToServer(const NetAddress& server);

// What the join's wait heard.
enum class ConnectAnswer { None, Accepted, Refused, Unusable };
// One pass of the join's wait: receives at most one packet. Another sender's packet gives
// "Received packet from unknown source <ip>:<port>" and is dropped, as is anything but a
// ConnectRefused or a ConnectAccepted. An accepted answer fills accepted ("Connection
// accepted") and restarts the server's silence clock; a ConnectAccepted that its reader refuses
// is Unusable: the server has taken this machine in, so the wait must end.
ConnectAnswer receiveConnectAnswer(const NetAddress& server, wire::ConnectAccepted& accepted);

// Once per tick of a network game; false when the network game has ended (the caller then
// ends the game). Without a role: "networkTick: Not connected" and false. Receives (the
// receive's false shuts the network down), sends the local state, and once a keep-alive
// period: a client pings the server, warns after 3 s of silence ("Losing connection to server
// (no response for N seconds)") and after 30 s shuts the network down; a server pings each
// player it does not drive, warns ("<name> is losing connection (no response for N
// seconds)") and kicks it after 30 s ("connection timed out"). Each pass also re-sends the
// local state unchanged, and a server the token's position, so a lost last packet heals.
bool networkTick();

// Drains up to maxPacketsPerReceive packets as the server: joins (refused ", server is full"
// at maxNetPlayers, ", duplicate connection" from a known machine; otherwise admitted in the
// join order), then each known sender's packet applied and relayed. A packet whose reader
// refuses it is dropped whole; an unknown sender's packet is dropped and the loop goes on.
// Always true.
bool serverReceive();
// Drains up to maxPacketsPerReceive packets from serverAddress as the client and applies the
// server's world; other senders' packets are dropped. False when the network game must end:
// ServerShutdown, Kicked (the network shut down, then the reason in a message box), or a
// server of another version (a message box).
bool clientReceive();

// "Received packet from unknown source <ip>:<port>", at most once per address and port in
// unknownSenderQuietSeconds.
void reportUnknownSender(const NetAddress& from);

// Sends the local player's fields that moved beyond their thresholds since last sent (all six
// with resendAll): x, y (1.5 px), angle (2 degrees), speed (1.0), nitro, disabled. A client
// sends 5..10 to the server, a server the relays 30..35 with its own ID; a server then relays
// every player's changed netTag and drone position and angle.
void sendLocalPlayerState(bool resendAll = false);

// Ends the network game: a client sends Leave ("Disconnected from server"), a server
// ServerShutdown ("Shutdown server"), the socket is unbound and the role None. Always: no
// serverAddress, the peers and unknown senders forgotten, the keep-alive clock gone, the
// player list emptied (each body destroyed first).
void shutdownNetwork();

// Kicked {reason} to the player; "<name> was kicked for <reason>" printed and sent as a
// TextLine to everyone, PlayerLeft to the others, then removeDisconnectedPlayer. An unknown
// ID is reported by the send and by removeDisconnectedPlayer.
void kickPlayer(int16_t playerId, const std::string& reason);
// "<name> has left the game" in white and the player erased (order kept); unknown: the error
// "removeDisconnectedPlayer: Player ID <id> not found". A player this machine drives is kept.
void removeDisconnectedPlayer(int16_t playerId);
// Server only: places the player (netTag 0); one driven here also takes the pose as last sent,
// so no relay of the jump follows. Unknown: the error "spawnPlayer: Player ID <id> not found".
void spawnPlayer(int16_t playerId, const sf::Vector2f& position, float angleRadians);
// "<name>: <text>" in yellow. An index outside the list (-1: an unknown player) prints nothing.
void printChatLine(int playerIndex, const std::string& text);
// The fallback of both receives: a TextLine is printed, and a server sends it on to everyone.
// Other types are ignored.
void handleTextLine(PacketType type, sf::Packet& packet);
// The console's network information.
void printNetworkInfo();

} // namespace tvl
