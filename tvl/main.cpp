#include "world/ProgramMain.h"

int main()
{
    return tvl::programMain();
}
