// The networked options on the command line: what is accepted, and one line for what is not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/link.h"
#include "platform/common/command_line.h"

namespace net {
namespace {

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t space = text.find(' ', at);
        out.push_back(text.substr(at, space == std::string::npos ? std::string::npos : space - at));
        if (space == std::string::npos) break;
        at = space + 1;
    }
    return out;
}

TEST(NetCommandLine, GoodOnesSayWhoHostsWhereAndHow) {
    struct Case {
        const char* args;
        bool host;
        int port;
        const char* joinHost;
        int delay;
        NetSim sim;
        Outage outage = {};
        uint64_t rejoinWaitMs = kRejoinWaitMs;
    };
    const Case cases[] = {
        {"--host", true, 7340, "", 1, {}},
        {"--host --rejoin-wait 0", true, 7340, "", 1, {}, {}, 0},
        {"--host 9 --rejoin-wait=600", true, 9, "", 1, {}, {}, 600000},
        {"--host 9000", true, 9000, "", 1, {}},
        {"--host=9001 --delay 0", true, 9001, "", 0, {}},
        {"--join 127.0.0.1", false, 7340, "127.0.0.1", 1, {}},
        {"--join localhost:65535", false, 65535, "localhost", 1, {}},
        {"--host 7000 --delay 4", true, 7000, "", 4, {}},
        {"--host --netsim 60,20,5 --headless --frames 10 --seed 3", true, 7340, "", 1, {60, 20, 5}},
        {"--join a.example:1 --netsim 0,0,90 --headless --frames 1 --record r",
         false,
         1,
         "a.example",
         1,
         {0, 0, 90}},
        {"--join h --outage 1500,1500 --netsim 20,0,0", false, 7340, "h", 1, {20, 0, 0},
         {1500, 1500}},
        {"--host --outage=0,3600000 --headless --frames 9", true, 7340, "", 1, {}, {0, 3600000}},
    };
    for (const Case& c : cases) {
        platform::CommandLine cl;
        std::string error;
        ASSERT_TRUE(platform::parseCommandLine(words(c.args), cl, error))
            << c.args << ": " << error;
        EXPECT_TRUE(cl.networked) << c.args;
        EXPECT_EQ(cl.net.host, c.host) << c.args;
        EXPECT_EQ(c.host ? cl.net.port : cl.net.join.port, c.port) << c.args;
        EXPECT_EQ(c.host ? "" : cl.net.join.host, c.joinHost) << c.args;
        EXPECT_EQ(cl.net.delay, c.delay) << c.args;
        EXPECT_EQ(cl.net.sim.latencyMs, c.sim.latencyMs) << c.args;
        EXPECT_EQ(cl.net.sim.jitterMs, c.sim.jitterMs) << c.args;
        EXPECT_EQ(cl.net.sim.lossPercent, c.sim.lossPercent) << c.args;
        EXPECT_EQ(cl.net.outage.atMs, c.outage.atMs) << c.args;
        EXPECT_EQ(cl.net.outage.forMs, c.outage.forMs) << c.args;
        EXPECT_EQ(cl.net.rejoinWaitMs, c.rejoinWaitMs) << c.args;
    }
}

TEST(NetCommandLine, ASpectatorNeedsOnlyTheHost) {
    struct Case {
        const char* args;
        const char* host;
        int port;
        bool headless;
        int latencyMs;
    };
    const Case cases[] = {
        {"--spectate 127.0.0.1", "127.0.0.1", 7340, false, 0},
        {"--spectate box:9000 --headless --record r", "box", 9000, true, 0},
        {"--spectate=h:1 --netsim 20,0,0 --scale 2", "h", 1, false, 20},
    };
    for (const Case& c : cases) {
        platform::CommandLine cl;
        std::string error;
        ASSERT_TRUE(platform::parseCommandLine(words(c.args), cl, error))
            << c.args << ": " << error;
        EXPECT_TRUE(cl.spectating && !cl.networked) << c.args;
        EXPECT_EQ(cl.net.join.host, c.host) << c.args;
        EXPECT_EQ(cl.net.join.port, c.port) << c.args;
        EXPECT_EQ(cl.headless, c.headless) << c.args;
        EXPECT_EQ(cl.net.sim.latencyMs, c.latencyMs) << c.args;
    }
}

TEST(NetCommandLine, BadOnesAreRefusedWithOneLine) {
    struct Case {
        const char* args;
        const char* says;
    };
    const Case cases[] = {
        {"--host 0", "--host port \"0\" is not a port"},
        {"--host 65536", "--host port \"65536\""},
        {"--host seven", "--host port \"seven\""},
        {"--host --join 127.0.0.1", "--host and --join cannot be used together"},
        {"--join", "--join needs a host"},
        {"--join --host", "--join needs a host"},
        {"--join :7340", "--join needs a host"},
        {"--join box:", "has no port"},
        {"--join box:port", "--join port \"port\""},
        {"--join ::1", "IPv6 address goes in brackets"},
        {"--join [::1]:7340", "IPv4 only"},
        {"--join [::1", "[ADDRESS]:PORT"},
        {"--host --delay 5", "--delay wants a whole number of frames from 0 to 4"},
        {"--host --delay -1", "--delay wants"},
        {"--delay 2", "--delay needs --host or --join"},
        {"--join h --delay 2", "--delay cannot be used with --join: the host's is used"},
        {"--netsim 60,20,5", "--netsim needs --host, --join or --spectate"},
        {"--spectate", "--spectate needs a host"},
        {"--spectate :7340", "--spectate needs a host"},
        {"--spectate box:", "--spectate \"box:\" has no port"},
        {"--spectate box:0", "--spectate port \"0\" is not a port"},
        {"--spectate box:70000", "--spectate port \"70000\""},
        {"--spectate a:b:c", "IPv6 address goes in brackets"},
        {"--spectate [::1]:7340", "IPv4 only"},
        {"--spectate h --host", "--host cannot be used with --spectate"},
        {"--spectate h --join g", "--join cannot be used with --spectate"},
        {"--spectate h --delay 2", "--delay cannot be used with --spectate"},
        {"--spectate h --headless --frames 9", "--frames cannot be used with --spectate"},
        {"--spectate h --headless --input i", "--input cannot be used with --spectate"},
        {"--spectate h --headless --shot 1:a.png", "--shot cannot be used with --spectate"},
        {"--spectate h --spectate g", "--spectate is given twice"},
        {"--host --netsim 60,20", "--netsim wants LATENCY_MS,JITTER_MS,LOSS_PERCENT"},
        {"--host --netsim 60,20,5,1", "--netsim wants"},
        {"--host --netsim a,b,c", "--netsim wants"},
        {"--host --netsim 10,20,5", "jitter at most the latency"},
        {"--host --netsim 60,20,91", "loss 0 to 90"},
        {"--host --netsim 3000,0,0", "latency 0 to 2000"},
        {"--outage 10,10", "--outage needs --host or --join"},
        {"--host --outage", "--outage needs a value"},
        {"--host --outage 1500", "--outage wants AT_MS,FOR_MS, got \"1500\""},
        {"--join h --outage 1,2,3", "--outage wants AT_MS,FOR_MS"},
        {"--host --outage -1,5", "--outage wants AT_MS,FOR_MS"},
        {"--host --outage 5,0", "the length 1 to 3600000 ms"},
        {"--host --outage 3600001,5", "the start 0 to 3600000 ms"},
        {"--rejoin-wait 5", "--rejoin-wait needs --host"},
        {"--join h --rejoin-wait 5", "--rejoin-wait cannot be used with --join"},
        {"--spectate h --rejoin-wait 5", "--rejoin-wait cannot be used with --spectate"},
        {"--host --rejoin-wait 601", "from 0 to 600, got \"601\""},
        {"--host --rejoin-wait -1", "--rejoin-wait wants a whole number of seconds"},
        {"--host --replay r.pelea-replay", "--replay cannot be used with --host"},
        {"--join h --demo", "--demo cannot be used with --join"},
        {"--host --training", "--training cannot be used with --host"},
        {"--join h --seed 4 --headless --frames 9", "--seed cannot be used with --join"},
        {"--host --headless --frames 9 --trace t", "--trace cannot be used with --host"},
        {"--host --headless --frames 9 --shot 1:a.png", "--shot cannot be used with --host"},
        {"--host --host", "--host is given twice"},
    };
    for (const Case& c : cases) {
        platform::CommandLine cl;
        std::string error;
        EXPECT_FALSE(platform::parseCommandLine(words(c.args), cl, error)) << c.args;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.args << " said: " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << c.args;
    }
}

}  // namespace
}  // namespace net
