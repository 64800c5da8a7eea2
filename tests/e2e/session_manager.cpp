// A minimal X session manager for the desktop tests: it prints the value for SESSION_MANAGER, accepts one
// client, asks it to save for a shutdown, tells it to die once it has saved ("saved", "die"), and ends
// when the client has gone.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <cstdio>
#include <poll.h>
#include <vector>

namespace {

SmsConn client = nullptr;
bool registered = false, closed = false;

// Only what a client asks when it may not interact is answered; the properties it sends are dropped.
Status NewClient(SmsConn conn, SmPointer, unsigned long* mask, SmsCallbacks* cb, char**)
{
    client = conn;
    *cb = {};
    cb->register_client.callback = [](SmsConn c, SmPointer, char*) -> Status {
        char* id = SmsGenerateClientID(c);
        registered = true;
        return SmsRegisterClientReply(c, id ? id : const_cast<char*>("1nevalon-test"));
    };
    cb->save_yourself_done.callback = [](SmsConn c, SmPointer, Bool success) {
        std::puts(success ? "saved" : "save failed");
        SmsDie(c);
        std::puts("die");
    };
    cb->close_connection.callback = [](SmsConn, SmPointer, int, char**) { closed = true; };
    cb->set_properties.callback = [](SmsConn, SmPointer, int, SmProp**) {};
    cb->delete_properties.callback = [](SmsConn, SmPointer, int, char**) {};
    *mask = SmsRegisterClientProcMask | SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask |
            SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask;
    return 1;
}

} // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    auto anyHost = [](char*) -> Bool { return True; };
    char error[256];
    int count = 0;
    IceListenObj* listeners = nullptr;
    if (!SmsInitialize("nevalon-tests", "1", NewClient, nullptr, anyHost, sizeof error, error) ||
        !IceListenForConnections(&count, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "session manager: %s\n", error);
        return 1;
    }
    for (int i = 0; i < count; ++i)
        IceSetHostBasedAuthProc(listeners[i], anyHost);
    // A client that goes away without a goodbye ends the loop, not the program.
    IceSetIOErrorHandler([](IceConn) {});
    std::puts(IceComposeNetworkIdList(count, listeners));

    IceConn connection = nullptr;
    for (bool saveSent = false; !closed;) {
        std::vector<pollfd> fds;
        for (int i = 0; i < count; ++i)
            fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        if (connection) fds.push_back({IceConnectionNumber(connection), POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) return 1;
        IceAcceptStatus status;
        for (int i = 0; i < count && !connection; ++i)
            if (fds[i].revents & POLLIN) connection = IceAcceptConnection(listeners[i], &status);
        if (fds.size() > size_t(count) && fds.back().revents &&
            IceProcessMessages(connection, nullptr, nullptr) == IceProcessMessagesIOError)
            closed = true;
        if (registered && !saveSent) {
            SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleNone, False);
            saveSent = true;
        }
    }
    IceFreeListenObjs(count, listeners);
    return 0;
}
