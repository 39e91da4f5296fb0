#include "ui/ScriptConsole.h"
namespace kv {
void createScriptConsole() {}
}
