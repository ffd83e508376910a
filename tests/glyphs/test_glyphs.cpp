// Every character the program writes on screen reads as itself at every size it is written
// there from 11 pixels up: through a dialog's own static text and through the device context,
// in each face the program names. The test program runs once in a Japanese desktop's locale and
// once in a plain one, since the locale chooses the face of a font the machine lacks.
#include <gtest/gtest.h>

#include "framework/app.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/wnd.h"
#include "res/resources.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <map>
#include <set>

namespace {

// How much of each pixel the ink covers, 0 to 1.
struct Ink {
    int w = 0, h = 0;
    std::vector<float> c;
    float at(int x, int y) const { return c[size_t(y) * size_t(w) + size_t(x)]; }
};

struct Box {
    int l = 0, t = 0, r = -1, b = -1;
    bool empty() const { return r < l; }
    int width() const { return r - l + 1; }
    int height() const { return b - t + 1; }
};

// Against the background at the image's corner (a window's own colour, or white).
Ink InkOf(const QImage& image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    const float ground = std::max(1, int(gray.constScanLine(0)[0]));
    Ink ink;
    ink.w = gray.width();
    ink.h = gray.height();
    ink.c.resize(size_t(ink.w) * size_t(ink.h));
    for (int y = 0; y < ink.h; ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = 0; x < ink.w; ++x)
            ink.c[size_t(y) * size_t(ink.w) + size_t(x)] = std::clamp((ground - float(line[x])) / ground, 0.0f, 1.0f);
    }
    return ink;
}

Box InkBox(const Ink& ink, float least = 0.25f)
{
    Box b{ink.w, ink.h, -1, -1};
    for (int y = 0; y < ink.h; ++y)
        for (int x = 0; x < ink.w; ++x)
            if (ink.at(x, y) >= least) {
                b.l = std::min(b.l, x);
                b.t = std::min(b.t, y);
                b.r = std::max(b.r, x);
                b.b = std::max(b.b, y);
            }
    return b;
}

// The strokes a row of the ink crosses that an eye tells apart: runs above some level, each
// pair with a pixel between them at most 60 % as dark as the lighter of the two.
int SeparateStrokes(const Ink& ink, int y, int l, int r)
{
    int best = 0;
    for (float level = 0.3f; level <= 0.8f; level += 0.05f) {
        std::vector<std::pair<int, int>> runs;
        for (int x = l; x <= r;) {
            if (ink.at(x, y) < level) {
                ++x;
                continue;
            }
            const int start = x;
            while (x <= r && ink.at(x, y) >= level)
                ++x;
            runs.emplace_back(start, x - 1);
        }
        auto peak = [&](std::pair<int, int> run) {
            float p = 0;
            for (int x = run.first; x <= run.second; ++x)
                p = std::max(p, ink.at(x, y));
            return p;
        };
        bool apart = true;
        for (size_t i = 1; i < runs.size(); ++i) {
            float gap = 1;
            for (int x = runs[i - 1].second + 1; x < runs[i].first; ++x)
                gap = std::min(gap, ink.at(x, y));
            apart = apart && gap <= 0.6f * std::min(peak(runs[i - 1]), peak(runs[i]));
        }
        if (apart)
            best = std::max(best, int(runs.size()));
    }
    return best;
}

// Whether at least half the rows of a band of the ink box show that many strokes apart.
bool StrokesInBand(const Ink& ink, double from, double to, int strokes)
{
    const Box b = InkBox(ink);
    if (b.empty())
        return false;
    int rows = 0, showing = 0;
    for (int y = b.t + int(b.height() * from); y <= b.t + int(b.height() * to) && y <= b.b; ++y) {
        ++rows;
        showing += SeparateStrokes(ink, y, b.l, b.r) >= strokes;
    }
    return rows > 0 && 2 * showing >= rows;
}

// Share of the ink box that is dark.
double DarkShare(const Ink& ink, float dark)
{
    const Box b = InkBox(ink);
    if (b.empty())
        return 0;
    int n = 0;
    for (int y = b.t; y <= b.b; ++y)
        for (int x = b.l; x <= b.r; ++x)
            n += ink.at(x, y) >= dark;
    return double(n) / (b.width() * b.height());
}

// One solid block: three pixels or more each way and nearly all of it dark.
bool SolidBlock(const Ink& ink)
{
    const Box b = InkBox(ink);
    return !b.empty() && b.width() >= 3 && b.height() >= 3 && DarkShare(ink, 0.6f) >= 0.9;
}

// Marks the pixels that `pass` lets through, 4-connected to those `from` lets through and has
// not marked yet; the regions found.
int Flood(const Ink& ink, std::vector<char>& marked, const std::function<bool(int, int)>& from,
          const std::function<bool(float)>& pass)
{
    int regions = 0;
    std::vector<std::pair<int, int>> todo;
    auto take = [&](int x, int y) {
        char& m = marked[size_t(y) * size_t(ink.w) + size_t(x)];
        if (m || !pass(ink.at(x, y)))
            return false;
        m = 1;
        todo.emplace_back(x, y);
        return true;
    };
    for (int y0 = 0; y0 < ink.h; ++y0)
        for (int x0 = 0; x0 < ink.w; ++x0) {
            if (!from(x0, y0) || !take(x0, y0))
                continue;
            ++regions;
            while (!todo.empty()) {
                const auto [x, y] = todo.back();
                todo.pop_back();
                for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}})
                    if (nx >= 0 && ny >= 0 && nx < ink.w && ny < ink.h)
                        take(nx, ny);
            }
        }
    return regions;
}

float Darkest(const Ink& ink) { return *std::max_element(ink.c.begin(), ink.c.end()); }

// Whether the ink closes a ring round a hole as large as a ring's at that size: pixels less than
// a third as dark as the glyph's darkest that the background cannot reach from the image's edge.
bool ClosesARing(const Ink& ink, int pixels)
{
    const float light = 0.35f * Darkest(ink);
    std::vector<char> reached(ink.c.size(), 0);
    Flood(ink, reached, [&](int x, int y) { return x == 0 || y == 0 || x == ink.w - 1 || y == ink.h - 1; },
          [&](float c) { return c < light; });
    int hole = 0;
    for (size_t i = 0; i < ink.c.size(); ++i)
        hole += ink.c[i] < light && !reached[i];
    // A gap between two strokes that touch is a pixel; a ring's hole grows with the text.
    return hole >= std::max(1, (pixels / 16) * (pixels / 16));
}

// The strokes of a mark: its parts at least half as dark as its darkest, apart side by side.
int Strokes(const Ink& ink)
{
    const float dark = 0.5f * Darkest(ink);
    std::vector<char> seen(ink.c.size(), 0);
    return Flood(ink, seen, [](int, int) { return true; }, [&](float c) { return c >= dark; });
}

// "." and "," differ where the comma's tail reaches below the full stop.
bool CommaTailShows(const Ink& stop, const Ink& comma)
{
    const Box s = InkBox(stop, 0.3f), c = InkBox(comma, 0.3f);
    return !s.empty() && !c.empty() && c.b > s.b;
}

// The characters of the program's own texts: its strings, menus and dialogs, and what its
// drawings write besides (digits, units, signs, and any half-width letter or kana).
QString ProgramCharacters()
{
    QString all;
    for (UINT id = 0; id < 0x10000; ++id)
        all += AfxLoadString(id);
    std::function<void(const std::vector<MenuItemTemplate>&)> menu = [&](const std::vector<MenuItemTemplate>& items) {
        for (const MenuItemTemplate& item : items) {
            all += item.text;
            menu(item.items);
        }
    };
    for (UINT id = 0; id < 0x10000; ++id)
        if (const MenuTemplate* m = AfxGetResourceTable()->FindMenu(id))
            for (const MenuItemTemplate& popup : m->popups) {
                all += popup.text;
                menu(popup.items);
            }
    for (const DialogTemplate& d : AllDialogTemplates()) {
        all += d.caption;
        for (const ControlTemplate& c : d.controls)
            all += c.text;
    }
    for (char16_t u = 0x21; u < 0x7F; ++u)
        all += QChar(u);
    for (char16_t u = 0xFF61; u <= 0xFF9F; ++u)
        all += QChar(u);
    all += QStringLiteral("±×÷°²³·‰′″→←↑↓～－（）［］／％");
    std::set<char16_t> seen;
    QString chars;
    for (QChar c : all)
        if (!c.isSpace() && !c.isSurrogate() && c.isPrint() && seen.insert(c.unicode()).second)
            chars += c;
    return chars;
}

// Draws a text as a window's paint handler does, in a face the program names.
class DcWriter {
public:
    DcWriter(const QString& face, int weight) : m_face(face), m_weight(weight) {}
    Ink operator()(const QString& text, int pixels) const
    {
        QImage image(pixels * (text.size() + 2), pixels * 3, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        CDC dc(&painter);
        dc.SetOnScreen(true);
        CFont font;
        font.CreateFont(-pixels, 0, 0, 0, m_weight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, DEFAULT_QUALITY, 0, m_face);
        CFont* old = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.TextOut(pixels, pixels / 2, text);
        dc.SelectObject(old);
        painter.end();
        return InkOf(image);
    }

private:
    QString m_face;
    int m_weight;
};

// What a reader needs of the texts one way of writing writes at one size; the faults, each
// with the character.
template <typename Write>
QStringList Faults(const Write& write, int pixels, const QString& chars, std::map<char16_t, bool>& blockByDesign,
                   const std::function<Ink(QChar)>& large)
{
    QStringList faults;
    if (!StrokesInBand(write(QStringLiteral("m"), pixels), 0.35, 0.85, 3))
        faults << QStringLiteral("\"m\" without three separate stems");
    const Ink capital = write(QStringLiteral("M"), pixels);
    if (SolidBlock(capital) || !StrokesInBand(capital, 0.5, 1.0, 2))
        faults << QStringLiteral("\"M\" a block");
    if (!CommaTailShows(write(QStringLiteral("."), pixels), write(QStringLiteral(","), pixels)))
        faults << QStringLiteral("\".\" like \",\"");
    if (!ClosesARing(write(QStringLiteral("ﾟ"), pixels), pixels))
        faults << QStringLiteral("\"ﾟ\" no ring");
    const Ink voiced = write(QStringLiteral("ﾞ"), pixels);
    if (ClosesARing(voiced, pixels) && Strokes(voiced) < 2)
        faults << QStringLiteral("\"ﾞ\" a ring");
    for (QChar c : chars) {
        if (!SolidBlock(write(QString(c), pixels)))
            continue;
        auto known = blockByDesign.find(c.unicode());
        if (known == blockByDesign.end())
            known = blockByDesign.emplace(c.unicode(), DarkShare(large(c), 0.5f) >= 0.6).first;
        if (!known->second)
            faults << QStringLiteral("\"%1\" one solid block").arg(c);
    }
    return faults;
}

class GlyphTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallResources();
        AfxInstallScreenFont();
    }
};

// The smallest size that has to read, and the largest a window writes its labels at (a 3 mm
// label at the drawing windows' largest scale).
constexpr int kFirstSize = 11;
constexpr int kLastSize = 48;

TEST_F(GlyphTest, DeviceContextTextsReadAtEverySizeInEveryFace)
{
    const QString chars = ProgramCharacters();
    ASSERT_GT(chars.size(), 500);
    // The program writes its Gothic faces bold too.
    for (const auto& [face, weights] : {std::pair{"ＭＳ 明朝", std::vector{FW_NORMAL}},
                                        {"ＭＳ ゴシック", std::vector{FW_NORMAL, FW_BOLD}},
                                        {"ＭＳ Ｐゴシック", std::vector{FW_NORMAL, FW_BOLD}}})
        for (int weight : weights) {
            const DcWriter write(QString::fromUtf8(face), weight);
            std::map<char16_t, bool> blockByDesign;
            auto large = [&](QChar c) { return write(QString(c), 96); };
            for (int px = kFirstSize; px <= kLastSize; ++px) {
                const QStringList faults = Faults(write, px, chars, blockByDesign, large);
                EXPECT_TRUE(faults.isEmpty()) << face << (weight == FW_BOLD ? " bold " : " ") << px
                                              << " px: " << faults.join(QStringLiteral("; ")).toStdString();
            }
        }
}

TEST_F(GlyphTest, DialogStaticTextsReadInTheTemplatesFonts)
{
    const QString chars = ProgramCharacters();
    // One dialog of each font the templates name, its first static text written anew.
    std::set<std::pair<QString, int>> fonts;
    for (const DialogTemplate& t : AllDialogTemplates()) {
        if (!fonts.insert({t.fontFace, t.pointSize}).second)
            continue;
        const auto label = std::find_if(t.controls.begin(), t.controls.end(),
                                         [](const ControlTemplate& c) { return c.kind == CtlKind::Static; });
        if (label == t.controls.end()) {
            fonts.erase({t.fontFace, t.pointSize});
            continue;
        }
        CDialog dlg(t.id);
        ASSERT_TRUE(dlg.Create(t.id));
        CWnd* item = dlg.GetDlgItem(label->id);
        ASSERT_NE(item, nullptr);
        auto* text = qobject_cast<QLabel*>(item->GetWidget());
        ASSERT_NE(text, nullptr);
        const int px = QFontInfo(text->font()).pixelSize();
        auto write = [&](const QString& s, int) {
            text->setText(s);
            text->setAlignment(Qt::AlignCenter);
            text->resize(4 * px * int(s.size() + 2), 3 * px);
            return InkOf(text->grab().toImage());
        };
        auto large = [&](QChar c) { return DcWriter(t.fontFace, FW_NORMAL)(QString(c), 96); };
        std::map<char16_t, bool> blockByDesign;
        ASSERT_GE(px, kFirstSize);
        const QStringList faults = Faults(write, px, chars, blockByDesign, large);
        EXPECT_TRUE(faults.isEmpty()) << t.fontFace.toStdString() << " " << t.pointSize << " pt (" << px
                                      << " px): " << faults.join(QStringLiteral("; ")).toStdString();
        dlg.DestroyWindow();
    }
    EXPECT_FALSE(fonts.empty());
}

}
