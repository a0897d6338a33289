// kalvendo-metersim: plays meter frames on a pseudo-terminal, so that Kalvendo can be run and
// tested without the meter. The slave's path goes to the first line of stdout.

#include "simscript.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

volatile sig_atomic_t g_stop = 0;

void onStopSignal(int)
{
    g_stop = 1;
}

constexpr const char *kUsage = R"(Usage: kalvendo-metersim [options]

Simulates the handheld meter: opens a pseudo-terminal, prints the path of its
slave end (the "serial port" to give Kalvendo) on the first line of stdout and
sends one 8-byte frame per reading at 2400 baud line timing.

Options:
  --script FILE   play FILE instead of the demo
  --count N       send N frames of the demo and stop (default: loop the demo)
  --interval MS   pause between frames, default 250 (at least 40)
  --speed X       divide every wait (line time and pauses) by X, at least 1 ms
  --no-line-time  send each step's bytes without the 4 ms a byte takes on the line;
                  the pauses stay (a pseudo-terminal delivers at once anyway)
  --link PATH     also make PATH a symbolic link to the slave (removed at exit)
  --wait-open     send nothing until the slave has been opened
  --settle MS     with --wait-open, quiet time after the open, default 500
  --record FILE   write the hex of each whole frame sent, one line each
  --verbose       report every step on stderr
  --help          show this text

While nobody holds the slave open, frames are dropped and not recorded.
SIGINT and SIGTERM stop the simulator cleanly.

Script: one command per line, '#' starts a comment.
  reading func=F range=R value=V [ol] [neg] [hold] [manual] [rel] [minmax=M] [pause=MS]
  raw HH HH HH HH HH HH HH HH [pause=MS]
  sweep func=F range=R from=A to=B steps=N [flags] [pause=MS]
  unknown func=F range=R count=C [flags] [pause=MS]    codes outside the tables
  noise N [pause=MS]                 N fixed pseudo-random bytes
  partial N [func= range= value= [flags]] [pause=MS]   first N (1-7) bytes of a frame
  double [func= range= value= [flags]] [pause=MS]      two frames back to back
  burst N [func= range= value= [flags]] [pause=MS]     N frames back to back
  pause MS
  hangup                             close the line (must be last)
  repeat N {                         ... lines ... then '}' on its own line
value is in the range's unit (func 2 range 1 is 50.000V: value=12.345).
partial, double and burst reuse the last frame sent unless they name a reading.
A frame counts as whole (and is recorded) when the line is quiet for 40 ms
before and after it.
)";

struct Options {
    std::string scriptPath;
    std::string linkPath;
    std::string recordPath;
    long long count = 0; // 0: loop the demo
    int intervalMs = 250;
    double speed = 1.0;
    bool lineTime = true;
    bool waitOpen = false;
    int settleMs = 500;
    bool verbose = false;
};

[[noreturn]] void usageError(const std::string &message)
{
    std::cerr << "kalvendo-metersim: " << message << "\nTry --help.\n";
    std::exit(2);
}

template <typename T> T numberArg(std::string_view name, const char *text, T lo, T hi)
{
    const std::string_view s(text);
    T v{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty() || v < lo || v > hi) {
        usageError(std::string(name) + " wants a number from " + std::to_string(lo) + " to "
            + std::to_string(hi));
    }
    return v;
}

Options parseOptions(int argc, char **argv)
{
    Options o;
    bool countGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a(argv[i]);
        const auto value = [&]() -> const char * {
            if (i + 1 >= argc)
                usageError(std::string(a) + " needs a value");
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            std::exit(0);
        } else if (a == "--script") {
            o.scriptPath = value();
        } else if (a == "--count") {
            o.count = numberArg<long long>(a, value(), 1, 1000000000LL);
            countGiven = true;
        } else if (a == "--interval") {
            o.intervalMs = numberArg<int>(a, value(), 0, 600000);
        } else if (a == "--speed") {
            o.speed = numberArg<double>(a, value(), 0.001, 100000.0);
        } else if (a == "--no-line-time") {
            o.lineTime = false;
        } else if (a == "--link") {
            o.linkPath = value();
        } else if (a == "--wait-open") {
            o.waitOpen = true;
        } else if (a == "--settle") {
            o.settleMs = numberArg<int>(a, value(), 0, 600000);
        } else if (a == "--record") {
            o.recordPath = value();
        } else if (a == "--verbose") {
            o.verbose = true;
        } else {
            usageError("unknown option '" + std::string(a) + "'");
        }
    }
    if (countGiven && !o.scriptPath.empty())
        usageError("--count applies to the demo only");
    return o;
}

// --- Waiting ------------------------------------------------------------------------------------

// Sleeps on the monotonic clock; a stop signal cuts the wait short.
void sleepMs(double ms)
{
    timespec until{};
    clock_gettime(CLOCK_MONOTONIC, &until);
    const long long ns = static_cast<long long>(ms * 1e6);
    until.tv_sec += static_cast<time_t>(ns / 1000000000LL);
    until.tv_nsec += static_cast<long>(ns % 1000000000LL);
    if (until.tv_nsec >= 1000000000L) {
        until.tv_sec += 1;
        until.tv_nsec -= 1000000000L;
    }
    while (!g_stop && clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) { }
}

// --- The pseudo-terminal ------------------------------------------------------------------------

class Line {
public:
    bool open(std::string *error)
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
            *error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
            return false;
        }
        const char *name = ptsname(m_master);
        if (name == nullptr) {
            *error = std::string("ptsname failed: ") + std::strerror(errno);
            return false;
        }
        m_slavePath = name;
        // Non-blocking, so that a reader that has stopped reading cannot stall the simulator:
        // when the buffer is full the bytes are dropped.
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        // Termios set on the master applies to the slave: raw bytes, so that 0x0A, 0x0D, 0x11
        // and 0x13 are not translated; 2400 baud only for form's sake, a pty has no line speed.
        termios t{};
        if (tcgetattr(m_master, &t) == 0) {
            cfmakeraw(&t);
            cfsetispeed(&t, B2400);
            cfsetospeed(&t, B2400);
            tcsetattr(m_master, TCSANOW, &t);
        }
        // Linux raises POLLHUP on the master only once a slave has been opened and closed; until
        // then an unopened slave cannot be told from an open one. Opening and closing it once here
        // makes POLLHUP mean "nobody has the port open" from the start.
        const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (slave >= 0) {
            ::close(slave);
            m_canTellOpen = true;
        }
        return true;
    }

    void close()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

    const std::string &slavePath() const { return m_slavePath; }
    bool canTellOpen() const { return m_canTellOpen; }

    bool slaveOpen() const
    {
        if (!m_canTellOpen)
            return true;
        pollfd p{m_master, 0, 0};
        return poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP) == 0;
    }

    // Writes all bytes in one go if the reader has room; returns whether they all went out.
    // Full buffer (EAGAIN) and a vanished reader (EIO) drop the rest quietly.
    bool send(const std::vector<std::uint8_t> &bytes)
    {
        std::size_t done = 0;
        while (done < bytes.size() && !g_stop) {
            const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else if (n < 0 && errno == EAGAIN) {
                pollfd p{m_master, POLLOUT, 0};
                if (poll(&p, 1, 100) <= 0 || (p.revents & POLLOUT) == 0)
                    return false;
            } else {
                return false;
            }
        }
        return done == bytes.size();
    }

private:
    int m_master = -1;
    std::string m_slavePath;
    bool m_canTellOpen = false;
};

// --- Playing ------------------------------------------------------------------------------------

class Player {
public:
    Player(Line &line, const Options &o, std::FILE *record)
        : m_line(line), m_options(o), m_record(record)
    {
    }

    // Returns false once the script asked to hang up or a stop signal came.
    bool play(const std::vector<metersim::Step> &steps)
    {
        for (const metersim::Step &s : steps) {
            if (g_stop)
                return false;
            if (s.hangup) {
                if (m_options.verbose)
                    std::cerr << "hangup\n";
                return false;
            }
            if (!s.bytes.empty())
                sendStep(s);
            const double lineMs = m_options.lineTime ? metersim::kByteTimeMs * double(s.bytes.size()) : 0;
            wait(lineMs + s.pauseAfterMs);
        }
        return !g_stop;
    }

private:
    void sendStep(const metersim::Step &s)
    {
        const bool open = m_line.slaveOpen();
        const bool sent = open && m_line.send(s.bytes);
        if (m_options.verbose) {
            std::cerr << (sent ? "sent "
                    : open     ? "dropped (buffer full) "
                               : "dropped (closed) ")
                      << metersim::bytesHex(s.bytes) << (s.wholeFrames == 1 ? "" : "  [not whole]")
                      << '\n';
        }
        if (sent && s.wholeFrames == 1 && m_record != nullptr) {
            std::fprintf(m_record, "%s\n", metersim::bytesHex(s.bytes).c_str());
            std::fflush(m_record); // a test may read the file while the simulator runs
        }
    }

    // The line time of the bytes plus the pause, divided by --speed, never below 1 ms.
    void wait(double ms)
    {
        if (ms <= 0)
            return;
        sleepMs(std::max(1.0, ms / m_options.speed));
    }

    Line &m_line;
    const Options &m_options;
    std::FILE *m_record;
};

bool readFile(const std::string &path, std::string *text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    *text = s.str();
    return true;
}

bool makeLink(const std::string &target, const std::string &link)
{
    struct stat st { };
    if (lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::cerr << "kalvendo-metersim: " << link << " exists and is not a symbolic link\n";
            return false;
        }
        unlink(link.c_str()); // a stale link from an earlier run
    }
    if (symlink(target.c_str(), link.c_str()) != 0) {
        std::cerr << "kalvendo-metersim: cannot link " << link << ": " << std::strerror(errno)
                  << '\n';
        return false;
    }
    return true;
}

// Removes the link only while it still points at this run's slave.
void removeLink(const std::string &target, const std::string &link)
{
    char buf[4096];
    const ssize_t n = readlink(link.c_str(), buf, sizeof buf - 1);
    if (n > 0 && std::string_view(buf, static_cast<std::size_t>(n)) == target)
        unlink(link.c_str());
}

void installSignals()
{
    struct sigaction sa { };
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0; // no SA_RESTART: a signal must cut a sleep short
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

} // namespace

int main(int argc, char **argv)
{
    const Options options = parseOptions(argc, argv);
    installSignals();

    std::vector<metersim::Step> steps;
    const int interval = std::max(options.intervalMs, metersim::kMinFrameGapMs);
    if (!options.scriptPath.empty()) {
        std::string text;
        if (!readFile(options.scriptPath, &text)) {
            std::cerr << "kalvendo-metersim: cannot read " << options.scriptPath << '\n';
            return 1;
        }
        std::string error;
        steps = metersim::parseScript(text, &error, interval);
        if (!error.empty()) {
            std::cerr << "kalvendo-metersim: " << options.scriptPath << ": " << error << '\n';
            return 1;
        }
    } else {
        steps = metersim::demoScript(metersim::kDemoCycleFrames, interval);
    }

    std::FILE *record = nullptr;
    if (!options.recordPath.empty()) {
        record = std::fopen(options.recordPath.c_str(), "w");
        if (record == nullptr) {
            std::cerr << "kalvendo-metersim: cannot write " << options.recordPath << '\n';
            return 1;
        }
    }

    Line line;
    std::string error;
    if (!line.open(&error)) {
        std::cerr << "kalvendo-metersim: " << error << '\n';
        return 1;
    }
    std::cout << line.slavePath() << std::endl; // first line of stdout, flushed
    if (!options.linkPath.empty() && !makeLink(line.slavePath(), options.linkPath)) {
        line.close();
        return 1;
    }

    if (options.waitOpen) {
        if (!line.canTellOpen())
            std::cerr << "kalvendo-metersim: cannot watch the slave; not waiting for the open\n";
        while (!g_stop && !line.slaveOpen())
            sleepMs(10);
        // Give the reader time to set the port up and see a quiet line before the first frame.
        if (!g_stop && options.settleMs > 0)
            sleepMs(options.settleMs / options.speed);
    }

    Player player(line, options, record);
    if (!options.scriptPath.empty()) {
        player.play(steps);
    } else if (options.count == 0) {
        while (player.play(steps)) { // the demo, endlessly
        }
    } else {
        // N frames of the demo: whole passes, then the start of one more.
        long long left = options.count;
        while (left >= metersim::kDemoCycleFrames && player.play(steps))
            left -= metersim::kDemoCycleFrames;
        if (left > 0 && left < metersim::kDemoCycleFrames && !g_stop)
            player.play(metersim::demoScript(static_cast<int>(left), interval));
    }

    line.close();
    if (!options.linkPath.empty())
        removeLink(line.slavePath(), options.linkPath);
    if (record != nullptr)
        std::fclose(record);
    return 0;
}
