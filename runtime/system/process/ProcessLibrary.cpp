#include "runtime/system/process/Process.h"
#include "runtime/system/process/ProcessTable.h"

namespace nevalon::system {

int64_t InitProcess()
{
    Processes();
    return 1;
}

void EndProcess()
{
    ReleaseProgram(-1);
}

} // namespace nevalon::system
