#include "platform/ModalSession.h"

#include <cassert>

namespace nevalon::platform {
namespace {

int modalSessions = 0;

} // namespace

void BeginModalSession()
{
    ++modalSessions;
}

void EndModalSession()
{
    assert(modalSessions > 0 && "EndModalSession without BeginModalSession");
    if (modalSessions > 0) --modalSessions;
}

bool InModalSession()
{
    return modalSessions > 0;
}

} // namespace nevalon::platform
