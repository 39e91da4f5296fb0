#pragma once
// The join window: the server bookmarks of ServerList.dat under a first row for a host typed in
// for this once, the bookmark editor, and the connect. A change to the bookmarks is written as
// soon as it is made, so closing the program's window loses none.
#include "net/ServerBookmarks.h"

#include <SFML/Network/IpAddress.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tvl {

constexpr const char* quickConnectRow = " < Quick Connect (do not store IP) > ";

// Runs the join window until Back, or until a game joined from it has been played.
void newClientNetworkGame();

// The modal bookmark editor; true when Save stored the three texts into bookmark: each cut to
// its field's cap, except a field left as it was, which keeps its whole text. isNew starts with
// empty fields; Cancel leaves bookmark as it was.
bool editServerBookmark(ServerBookmark& bookmark, bool isNew);

// Row `row` of the window's list: row 0 quickConnectRow, row i + 1 bookmark i as
// "description (host)"; empty past the last bookmark.
std::string joinRowText(const ServerBookmarkTable& table, std::size_t row);

// The row step rows away from row, kept between row 0 and the last bookmark's row.
int joinRowAfterMove(int row, int step, std::size_t bookmarkCount);

// Why Save refuses bookmark: "A description is required!", else "An IP address or hostname is
// required!"; empty when it may be saved.
std::string bookmarkProblem(const ServerBookmark& bookmark);

// The port a connect uses: portText's leading decimal number, or, when that is blank, not a
// number or outside 1..65535, localServerPort (itself replaced by the default 5911 when outside
// that range).
uint16_t chooseConnectPort(const std::string& portText, int32_t localServerPort);

// The host by dotted address or by name (blocking while the name is looked up); nothing when
// it does not resolve.
std::optional<sf::IpAddress> resolveHost(const std::string& host);

// Resolves host and joins it through connectToServer; true when a game was played. A host that
// does not resolve shows "Unable to resolve host <host>" and gives false. Tests pass resolve.
bool joinServer(const std::string& host, uint16_t port,
                std::optional<sf::IpAddress> (*resolve)(const std::string&) = resolveHost);

} // namespace tvl
