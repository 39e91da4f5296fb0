#pragma once
namespace kv::AudioPanel {
void resetButtons();
}
