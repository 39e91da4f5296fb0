#pragma once
namespace kv {
void changeToProgramFolderIfNeeded();
bool displayAvailable();
}
