#include "app/WindowLog.h"

#include "core/Log.h"
#include "core/StringUtils.h"

#include <cmath>
#include <vector>

namespace kv {

namespace {
std::vector<std::string> pendingLines;

int whole(float value)
{
    return static_cast<int>(std::lround(value));
}
} // namespace

std::string windowShownLine(const std::string& name, const sf::FloatRect& area)
{
    return "Showing " + name + formatString(": %d x %d at %d, %d", whole(area.width), whole(area.height),
                                            whole(area.left), whole(area.top));
}

void logWindowShown(const std::string& name, const sf::FloatRect& area)
{
    pendingLines.push_back(windowShownLine(name, area));
}

void logWindowClosed(const std::string& name)
{
    writeLog("Closed " + name);
}

void writeShownWindowLines()
{
    for (const std::string& line : pendingLines)
        writeLog(line);
    pendingLines.clear();
}

void WindowLog::shown(const sf::FloatRect& area)
{
    if (shown_)
        return;
    shown_ = true;
    logWindowShown(name_, area);
}

void WindowLog::settled(const sf::FloatRect& area)
{
    if (area == last_ && area.width > 0 && area.height > 0)
        shown(area);
    last_ = area;
}

} // namespace kv
