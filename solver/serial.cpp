#include "solver/serial.h"

#include "solver/listing.h"
#include "solver/solver_files.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <type_traits>

#if defined(__unix__)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

static_assert(std::endian::native == std::endian::little, "the intermediate files are little-endian");

namespace mvg {

namespace {

class Out;
class In;

// One description per type serves both directions.
template <class A> void Io(A& a, Zone& v) { a(v.a); a(v.b); }
template <class A> void Io(A& a, Strip& v) { a(v.item); a(v.xa); a(v.xb); a(v.h); }
template <class A> void Io(A& a, PointLoadAt& v) { a(v.item); a(v.x); }
template <class A> void Io(A& a, Section& v)
{
    a(v.T); a(v.span); a(v.W); a(v.gx); a(v.cw); a(v.hasNoll); a(v.noll);
    a(v.sidewalks); a(v.strips); a(v.rails); a(v.attachX);
}
template <class A> void Io(A& a, Span& v) { a(v.L); a(v.pFirst); a(v.pLast); a(v.p2); a(v.pc); }
template <class A> void Io(A& a, Bearing& v) { a(v.support); a(v.line); a(v.node); a(v.kt); a(v.ux); a(v.uy); }
template <class A> void Io(A& a, CrossMember& v) { a(v.nodeI); a(v.nodeJ); a(v.kind); a(v.I); a(v.J); }
template <class A> void Io(A& a, GirderMember& v) { a(v.L); a(v.A); a(v.I); a(v.J); }
template <class A> void Io(A& a, Model& v)
{
    a(v.title); a(v.stamp); a(v.pass); a(v.bridgeType); a(v.liveLoad); a(v.sidewalk);
    a(v.loadingWidth); a(v.p1Factor); a(v.p2Factor); a(v.detail);
    a(v.G); a(v.P); a(v.S); a(v.nLines); a(v.E); a(v.Gmod);
    a(v.spans); a(v.bearings); a(v.snow); a(v.unitWeight); a(v.railLoad);
    a(v.haunch); a(v.steel); a(v.attachLoad); a(v.hasLive); a(v.liveD); a(v.p1m); a(v.p1s);
    a(v.cross); a(v.girders); a(v.dummy); a(v.X); a(v.Y); a(v.sections);
}
template <class A> void Io(A& a, Element& v)
{
    a(v.nodeI); a(v.nodeJ); a(v.member); a(v.chord); a(v.cosA); a(v.sinA);
    a(v.cosDI); a(v.sinDI); a(v.cosDJ); a(v.sinDJ); a(v.EI); a(v.GJ); a(v.k); a(v.rec);
}
template <class A> void Io(A& a, Elements& v) { a(v.cosB); a(v.sinB); a(v.list); }
template <class A> void Io(A& a, BandMatrix& v) { a(v.n); a(v.b); a(v.a); }
template <class A> void Io(A& a, SparseRow& v) { a(v.col); a(v.val); }
template <class A> void Io(A& a, Stiffness& v) { a(v.freeIndex); a(v.dofOfFree); a(v.K); a(v.reaction); a(v.G); }
template <class A> void Io(A& a, DeadResult& v) { a(v.member); a(v.reaction); a(v.deflection); a(v.applied); }
template <class A> void Io(A& a, LiveResult& v)
{
    a(v.impactSpan); a(v.impactEnd); a(v.member); a(v.reaction); a(v.deflection); a(v.detail);
}
template <class A> void Io(A& a, ResultRow& v) { a(v.node); a(v.v); }
template <class A> void Io(A& a, MemberRow& v) { a(v.member); a(v.nodeI); a(v.nodeJ); a(v.I); a(v.J); a(v.length); }
template <class A> void Io(A& a, ListingPart& v)
{
    a(v.first); a(v.last); a(v.block); a(v.title); a(v.S); a(v.n); a(v.G); a(v.P);
    a(v.impact); a(v.rows); a(v.members);
}

template <class T> struct IsVector : std::false_type {};
template <class T> struct IsVector<std::vector<T>> : std::true_type {};
template <class T> struct IsArray : std::false_type {};
template <class T, size_t N> struct IsArray<std::array<T, N>> : std::true_type {};
template <class T> struct IsDoubles : std::false_type {};
template <> struct IsDoubles<Doubles> : std::true_type {};

// Elements whose payload bytes are their memory as it stands (little-endian, int is
// 32 bits): a run of them is copied at once.
template <class E> constexpr bool RawElement()
{
    return std::is_same_v<E, double> || (std::is_same_v<E, int> && sizeof(int) == 4);
}

[[noreturn]] void Damaged(const std::string& what)
{
    throw Failure(mvgfiles::kDamaged, what);
}

// Adds up the payload's size (`counting`), then streams it to the file through a small
// buffer: a whole payload in memory would cost as many fresh pages as the file is long.
// Long arrays of numbers go to the file from where they stand.
class Out {
public:
    bool counting = true;
    size_t size = 0;
    std::ofstream* file = nullptr;

    void append(const char* p, size_t n)
    {
        if (counting) {
            size += n;
            return;
        }
        if (n == 0)  // an empty vector's data() may be null, which memcpy forbids
            return;
        if (n > kBuffer - m_used) {
            flush();
            if (n >= kBuffer) {
                file->write(p, std::streamsize(n));
                return;
            }
        }
        std::memcpy(m_buf.get() + m_used, p, n);
        m_used += n;
    }
    void flush()
    {
        if (m_used)
            file->write(m_buf.get(), std::streamsize(m_used));
        m_used = 0;
    }

    template <class T> void operator()(const T& v)
    {
        if constexpr (std::is_same_v<T, bool>) {
            const uint8_t b = v ? 1 : 0;
            append(reinterpret_cast<const char*>(&b), 1);
        } else if constexpr (std::is_same_v<T, int>) {
            const int32_t x = v;
            append(reinterpret_cast<const char*>(&x), 4);
        } else if constexpr (std::is_arithmetic_v<T>) {
            append(reinterpret_cast<const char*>(&v), sizeof v);
        } else if constexpr (std::is_same_v<T, std::string>) {
            (*this)(uint32_t(v.size()));
            append(v.data(), v.size());
        } else if constexpr (IsVector<T>::value || IsDoubles<T>::value) {
            (*this)(uint32_t(v.size()));
            using E = std::remove_cv_t<std::remove_reference_t<decltype(*v.data())>>;
            if constexpr (RawElement<E>())
                append(reinterpret_cast<const char*>(v.data()), v.size() * sizeof(E));
            else
                for (const auto& e : v)
                    (*this)(e);
        } else if constexpr (IsArray<T>::value) {
            if constexpr (RawElement<typename T::value_type>())
                append(reinterpret_cast<const char*>(v.data()), sizeof v);
            else
                for (const auto& e : v)
                    (*this)(e);
        } else if constexpr (std::is_array_v<T>) {
            if constexpr (RawElement<std::remove_extent_t<T>>())
                append(reinterpret_cast<const char*>(&v[0]), sizeof v);
            else
                for (const auto& e : v)
                    (*this)(e);
        } else {
            Io(*this, const_cast<T&>(v));
        }
    }

private:
    static constexpr size_t kBuffer = 256 * 1024;
    std::unique_ptr<char[]> m_buf{new char[kBuffer]};
    size_t m_used = 0;
};

class In {
public:
    // With `keep` (what holds the bytes alive), a band borrows its numbers where they stand.
    In(const char* p, size_t n, std::shared_ptr<const void> keep = {}) : m_p(p), m_end(p + n), m_keep(std::move(keep)) {}
    bool done() const { return m_p == m_end; }

    template <class T> void operator()(T& v)
    {
        if constexpr (std::is_same_v<T, bool>) {
            uint8_t b;
            raw(&b, 1);
            if (b > 1)
                Damaged("payload damaged");
            v = b != 0;
        } else if constexpr (std::is_same_v<T, int>) {
            int32_t x;
            raw(&x, 4);
            v = x;
        } else if constexpr (std::is_arithmetic_v<T>) {
            raw(&v, sizeof v);
        } else if constexpr (std::is_same_v<T, std::string>) {
            const uint32_t n = count(1);
            v.assign(m_p, n);
            m_p += n;
        } else if constexpr (IsDoubles<T>::value) {
            const uint32_t n = count(sizeof(double));
            if (m_keep && n > 0 && reinterpret_cast<uintptr_t>(m_p) % alignof(double) == 0) {
                v = Doubles(reinterpret_cast<const double*>(m_p), n, m_keep);
                m_p += size_t(n) * sizeof(double);
            } else {
                v.resize(n);
                raw(v.data(), size_t(n) * sizeof(double));
            }
        } else if constexpr (IsVector<T>::value) {
            using E = typename T::value_type;
            if constexpr (RawElement<E>()) {
                const uint32_t n = count(sizeof(E));
                ReserveFaulted(v, n);
                v.resize(n);
                raw(v.data(), size_t(n) * sizeof(E));
            } else {
                const uint32_t n = count(std::is_arithmetic_v<E> ? sizeof(E) : 1);
                // each element read where it was just made, while its lines are in cache
                v.clear();
                ReserveFaulted(v, n);
                for (uint32_t i = 0; i < n; ++i)
                    (*this)(v.emplace_back());
            }
        } else if constexpr (IsArray<T>::value) {
            if constexpr (RawElement<typename T::value_type>())
                raw(v.data(), sizeof v);
            else
                for (auto& e : v)
                    (*this)(e);
        } else if constexpr (std::is_array_v<T>) {
            if constexpr (RawElement<std::remove_extent_t<T>>())
                raw(&v[0], sizeof v);
            else
                for (auto& e : v)
                    (*this)(e);
        } else {
            Io(*this, v);
        }
    }

private:
    void raw(void* dst, size_t n)
    {
        if (size_t(m_end - m_p) < n)
            Damaged("payload shorter than its contents");
        // An empty vector's data() may be null, and memcpy forbids that even for 0 bytes.
        if (n == 0)
            return;
        std::memcpy(dst, m_p, n);
        m_p += n;
    }
    // An element count that the remaining bytes can hold at all.
    uint32_t count(size_t minSize)
    {
        uint32_t n;
        raw(&n, 4);
        if (size_t(n) * minSize > size_t(m_end - m_p))
            Damaged("payload shorter than its counts");
        return n;
    }
    const char* m_p;
    const char* m_end;
    std::shared_ptr<const void> m_keep;
};

constexpr size_t kHeaderSize = 36;

} // namespace

template <class T>
void SaveStage(const std::string& path, int kind, const std::string& stamp, const T& payload)
{
    Out out;
    out(payload);
    std::string head(kHeaderSize, '\0');
    const uint32_t version = kFormatVersion, k = uint32_t(kind);
    const uint64_t bytes = out.size;
    std::memcpy(&head[0], "MVGR", 4);
    std::memcpy(&head[4], &version, 4);
    std::memcpy(&head[8], &k, 4);
    std::memcpy(&head[12], stamp.data(), std::min<size_t>(16, stamp.size()));
    std::memcpy(&head[28], &bytes, 8);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(head.data(), head.size());
    out.counting = false;
    out.file = &f;
    out(payload);
    out.flush();
    f.close();
    if (!f)
        throw Failure(mvgfiles::kWriteFailed, "cannot write " + path);
}

namespace {

// The header's checks, in their order; returns the payload's length.
uint64_t CheckHeader(const std::string& path, const char* head, uint64_t size, int kind, const std::string& stamp,
                     std::string& fileStamp)
{
    uint32_t version, k;
    uint64_t bytes;
    std::memcpy(&version, head + 4, 4);
    std::memcpy(&k, head + 8, 4);
    std::memcpy(&bytes, head + 28, 8);
    fileStamp.assign(head + 12, 16);
    if (std::memcmp(head, "MVGR", 4) != 0 || version != kFormatVersion)
        Damaged(path + ": not an intermediate file of this version");
    if (k != uint32_t(kind))
        Damaged(path + ": wrong kind of intermediate file");
    if (!stamp.empty() && stamp != fileStamp)
        Damaged(path + ": stale file of another run");
    if (bytes != size - kHeaderSize)
        Damaged(path + ": length does not match its header");
    return bytes;
}

template <class T> T ReadPayload(const std::string& path, const char* p, size_t n, std::shared_ptr<const void> keep = {})
{
    In in(p, n, std::move(keep));
    T v{};
    in(v);
    if (!in.done())
        Damaged(path + ": payload longer than its contents");
    return v;
}

#if defined(__unix__)
// A regular file mapped as it stands: its pages come straight from the page cache,
// with no buffer to clear and copy into first.
struct Mapped {
    const char* p = nullptr;
    size_t n = 0;
    bool ok = false;
    explicit Mapped(const std::string& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY);
        if (fd < 0)
            return;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && size_t(st.st_size) >= kHeaderSize) {
            int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
            flags |= MAP_POPULATE;
#endif
            void* m = ::mmap(nullptr, size_t(st.st_size), PROT_READ, flags, fd, 0);
            if (m != MAP_FAILED) {
                p = static_cast<const char*>(m);
                n = size_t(st.st_size);
                ok = true;
            }
        }
        ::close(fd);
    }
    ~Mapped()
    {
        if (ok)
            ::munmap(const_cast<char*>(p), n);
    }
    Mapped(const Mapped&) = delete;
    Mapped& operator=(const Mapped&) = delete;
};
#endif

} // namespace

template <class T>
T LoadStage(const std::string& path, int kind, std::string& stamp)
{
    std::string fileStamp;
#if defined(__unix__)
    {
        auto map = std::make_shared<const Mapped>(path);
        if (map->ok) {
            const uint64_t bytes = CheckHeader(path, map->p, map->n, kind, stamp, fileStamp);
            T v = ReadPayload<T>(path, map->p + kHeaderSize, size_t(bytes), map);
            stamp = fileStamp;
            return v;
        }
    }
    // anything else (missing, not a regular file, too short) meets the checks below
#endif
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw Failure(mvgfiles::kFileMissing, "cannot read " + path);
    f.seekg(0, std::ios::end);
    const std::streamoff size = f.tellg();
    f.seekg(0, std::ios::beg);
    if (size < 0)
        throw Failure(mvgfiles::kFileMissing, "cannot read " + path);
    if (size_t(size) < kHeaderSize)
        Damaged(path + ": header damaged");
    char head[kHeaderSize];
    if (!f.read(head, kHeaderSize))
        throw Failure(mvgfiles::kFileMissing, "cannot read " + path);
    const uint64_t bytes = CheckHeader(path, head, uint64_t(size), kind, stamp, fileStamp);
    std::string buf(size_t(bytes), '\0');
    if (!f.read(buf.data(), std::streamsize(bytes)))
        throw Failure(mvgfiles::kFileMissing, "cannot read " + path);
    T v = ReadPayload<T>(path, buf.data(), buf.size());
    stamp = fileStamp;
    return v;
}

#define MVG_STAGE(T)                                                                         \
    template void SaveStage<T>(const std::string&, int, const std::string&, const T&); \
    template T LoadStage<T>(const std::string&, int, std::string&);
MVG_STAGE(Model)
MVG_STAGE(Elements)
MVG_STAGE(Stiffness)
MVG_STAGE(BandMatrix)
MVG_STAGE(DeadResult)
MVG_STAGE(LiveResult)
MVG_STAGE(ListingPart)
#undef MVG_STAGE

} // namespace mvg
