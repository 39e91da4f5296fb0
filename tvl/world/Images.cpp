#include "world/Images.h"
namespace tvl {
void resetImageTables() {}
}
