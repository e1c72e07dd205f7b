#pragma once
// Native tests only: the process's time zone switched through TZ for one
// scope and put back afterwards. The run reads the zone once when it starts,
// so a zone set before that run is the one it uses. (Under Wine the zone is
// fixed when the process starts; the Windows tests get theirs from CTest.)

#ifndef _WIN32

#include <cstdlib>
#include <ctime>
#include <string>

namespace varnholt::test {

class ZoneScope {
public:
    explicit ZoneScope(const char* zone) {
        const char* old = std::getenv("TZ");
        m_had = old != nullptr;
        m_old = m_had ? old : "";
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneScope() {
        m_had ? setenv("TZ", m_old.c_str(), 1) : unsetenv("TZ");
        tzset();
    }
    ZoneScope(const ZoneScope&) = delete;
    ZoneScope& operator=(const ZoneScope&) = delete;

private:
    bool m_had = false;
    std::string m_old;
};

} // namespace varnholt::test

#endif
