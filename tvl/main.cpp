#include "program/ProgramMain.h"

int main()
{
    return tvl::programMain();
}
