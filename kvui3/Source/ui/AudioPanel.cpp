#include "ui/AudioPanel.h"
namespace kv::AudioPanel {
void resetButtons() {}
void build() {}
}
