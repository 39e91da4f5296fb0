#include "world/ProgramMain.h"

namespace tvl {

int programMain()
{
    return 0;
}

} // namespace tvl
