#include "sim/edisk.h"

#include <algorithm>
#include <cmath>

namespace zx::sim {

const EDisk::Str *EDisk::str(int folder, int string) const
{
    if (folder < 1 || folder > kFolders || string < 1)
        return nullptr;
    const auto &f = m_folders[size_t(folder - 1)];
    return size_t(string) <= f.size() ? &f[size_t(string - 1)] : nullptr;
}

EDisk::Str &EDisk::strRef(int folder, int string)
{
    auto &f = m_folders[size_t(std::clamp(folder, 1, kFolders) - 1)];
    const size_t s = size_t(std::max(string, 1));
    if (f.size() < s)
        f.resize(s);
    return f[s - 1];
}

int EDisk::slots(int folder, int string) const
{
    const Str *s = str(folder, string);
    return s ? int(s->size()) : 0;
}

int EDisk::lastKept(int folder, int string) const
{
    const Str *s = str(folder, string);
    if (!s)
        return 0;
    for (int i = int(s->size()); i >= 1; --i)
        if ((*s)[size_t(i - 1)].kept())
            return i;
    return 0;
}

int EDisk::keptCount(int folder, int string) const
{
    const Str *s = str(folder, string);
    if (!s)
        return 0;
    return int(std::count_if(s->begin(), s->end(), [](const Shot &x) { return x.kept(); }));
}

const Shot *EDisk::shot(int folder, int string, int number) const
{
    const Str *s = str(folder, string);
    if (!s || number < 1 || size_t(number) > s->size())
        return nullptr;
    return &(*s)[size_t(number - 1)];
}

Shot *EDisk::shot(int folder, int string, int number)
{
    return const_cast<Shot *>(static_cast<const EDisk *>(this)->shot(folder, string, number));
}

void EDisk::append(int folder, int string, const Shot &s) { strRef(folder, string).push_back(s); }

ShotStats EDisk::stats(int folder, int string) const
{
    ShotStats st;
    const Str *s = str(folder, string);
    if (!s)
        return st;
    double sum = 0;
    for (const Shot &x : *s) {
        if (!x.kept())
            continue;
        st.lo = st.n ? std::min(st.lo, x.fps) : x.fps;
        st.hi = st.n ? std::max(st.hi, x.fps) : x.fps;
        sum += x.fps;
        ++st.n;
    }
    if (st.n == 0)
        return st;
    st.av = sum / st.n;
    st.es = st.hi - st.lo;
    if (st.n > 1) {
        double sq = 0;
        for (const Shot &x : *s)
            if (x.kept())
                sq += (x.fps - st.av) * (x.fps - st.av);
        st.sd = std::sqrt(sq / (st.n - 1));  // sample deviation, as worksheet STDEV computes it
    }
    return st;
}

int EDisk::applyShot(int folder, int string, int number, MemAction a)
{
    Shot *s = shot(folder, string, number);
    if (!s)
        return 0;
    const Shot before = *s;
    switch (a) {
    case MemAction::Keep: break;
    case MemAction::Delete: s->deleted = s->deleted || s->kept(); break;
    case MemAction::UnDelete: s->deleted = s->deleted && s->cleared; break;
    case MemAction::Restore: s->deleted = s->cleared = false; break;
    case MemAction::Clear:
        s->cleared = true;
        s->deleted = false;
        break;
    }
    return (before.deleted != s->deleted || before.cleared != s->cleared) ? 1 : 0;
}

int EDisk::applyString(int folder, int string, MemAction a)
{
    int n = 0;
    for (int i = 1; i <= slots(folder, string); ++i)
        n += applyShot(folder, string, i, a);
    return n;
}

int EDisk::applyFolder(int folder, MemAction a)
{
    int n = 0;
    for (int s = 1; s <= stringsUsed(folder); ++s)
        n += applyString(folder, s, a);
    return n;
}

int EDisk::applyAll(MemAction a)
{
    int n = 0;
    for (int f = 1; f <= kFolders; ++f)
        n += applyFolder(f, a);
    return n;
}

void EDisk::dropClearedString(int folder, int string)
{
    const Str *s = str(folder, string);
    if (s && !s->empty() && std::all_of(s->begin(), s->end(), [](const Shot &x) { return x.cleared; }))
        strRef(folder, string).clear();
}

int EDisk::stringsUsed(int folder) const
{
    if (folder < 1 || folder > kFolders)
        return 0;
    const auto &f = m_folders[size_t(folder - 1)];
    for (int s = int(f.size()); s >= 1; --s)
        if (!f[size_t(s - 1)].empty())
            return s;
    return 0;
}

int EDisk::totalKept() const
{
    int n = 0;
    for (int f = 1; f <= kFolders; ++f)
        for (int s = 1; s <= stringsUsed(f); ++s)
            n += keptCount(f, s);
    return n;
}

void EDisk::clear()
{
    for (auto &f : m_folders)
        f.clear();
}

} // namespace zx::sim
