#pragma once
// Shared by the libFuzzer targets: a Qt application object for code that needs one, and a
// check that stops the run (and makes libFuzzer keep the input) when an invariant breaks.
#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define ZX_FUZZ_CHECK(cond)                                                                      \
    do {                                                                                         \
        if (!(cond)) {                                                                           \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #cond, __FILE__, __LINE__);   \
            std::abort();                                                                        \
        }                                                                                        \
    } while (0)

namespace zx::fuzz {

// Creates the application object once: QCoreApplication, or QGuiApplication on the offscreen
// platform when documents with fonts are built.
void initApp(bool gui);

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Reads the input front to back; past the end every read gives 0.
class InputReader {
public:
    InputReader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // Up to n bytes (fewer at the end).
    QByteArray take(size_t n)
    {
        n = std::min(n, m_size - m_pos);
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace zx::fuzz
