// The in-place edit: input masks, the keys that end an edit and move on, refusals, and the
// drop-down list of drop list cells.
#include <gtest/gtest.h>
#include <QListWidget>

#include "framework/msgbox.h"
#include "grid/gridctrl.h"
#include "grid_ui.h"

using namespace gridui;

namespace {

// Logs the editing notifications; starts editing on a typed character as the tables do.
class EditGrid : public CGridCtrl {
public:
    QStringList log;
    BOOL finishOk = TRUE;
    BOOL continueOk = TRUE;
    std::vector<std::pair<long, QString>> listNotes;
    BOOL OnSetupEdit(int col, int row, CRect*, CGridCell*, DWORD*, int) override
    {
        log << QStringLiteral("setup %1 %2").arg(col).arg(row);
        return TRUE;
    }
    BOOL OnEditStart(int col, int row, CWnd*) override
    {
        log << QStringLiteral("start %1 %2").arg(col).arg(row);
        return TRUE;
    }
    BOOL OnEditVerify(int, int, CWnd*, UINT* key) override
    {
        log << QStringLiteral("verify %1").arg(QChar(char16_t(*key)));
        if (*key == 'x')
            *key = 'X';
        return *key != '!';
    }
    BOOL OnEditFinish(int col, int row, CWnd* edit) override
    {
        log << QStringLiteral("finish %1 %2 %3").arg(col).arg(row).arg(edit->GetWindowText());
        return finishOk;
    }
    BOOL OnEditContinue(int col, int row, int* newCol, int* newRow) override
    {
        log << QStringLiteral("continue %1 %2 -> %3 %4").arg(col).arg(row).arg(*newCol).arg(*newRow);
        return continueOk;
    }
    void OnCharDown(UINT* key, int processed) override
    {
        if (processed != GRID_TYPE_HANDLED)
            StartEditWithChar(*key);
    }
    void OnCellTypeNotify(long typeId, int, int, long msg, LPARAM param) override
    {
        if (typeId != GRID_CT_DROPLIST)
            return;
        if (msg == GRID_NOTIFY_LIST_OPENING)
            listNotes.emplace_back(msg, static_cast<QStringList*>(reinterpret_cast<void*>(param))->join(u'|'));
        else
            listNotes.emplace_back(msg, *static_cast<QString*>(reinterpret_cast<void*>(param)));
    }
};

void Enter() { Key(Focus(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")); }

} // namespace

// ---------------------------------------------------------------- masks

TEST(GridEditMask, ClassesTakeTheirCharacters)
{
    struct Case { char cls; const char* ok; const char* refused; bool beeps; };
    const Case cases[] = {
        {'0', "09", " .a", false}, {'1', "0 ", ".a", true}, {'2', "0 .", "+a", true},
        {'3', "0 +-", ".a", true}, {'4', "0 +-.", "Ea", true}, {'5', "0 +-.Ee", "a,", true},
        {'9', "9 ", "a.", false}, {'#', "5 km", "+x", false}, {'L', "aZ", "1 ", false},
        {'?', "a ", "1", false}, {'A', "a1", " ", false}, {'a', "a1 ", ".", false},
        {'&', "a.( ", "", false}, {'C', "z#", "", false},
    };
    for (const Case& c : cases) {
        for (const char* p = c.ok; *p; ++p)
            EXPECT_TRUE(CGridEditMask::Accepts(QChar(c.cls), QChar(*p))) << c.cls << " " << *p;
        for (const char* p = c.refused; *p; ++p) {
            bool beep = !c.beeps;
            EXPECT_FALSE(CGridEditMask::Accepts(QChar(c.cls), QChar(*p), &beep)) << c.cls << " " << *p;
            EXPECT_EQ(beep, c.beeps) << c.cls;
        }
    }
}

TEST(GridEditMask, FormattingPutsLiteralsInAndLeavesWrongCharactersOut)
{
    CGridEditMask m;
    m.SetMask("999x99");
    EXPECT_EQ(m.GetPositionCount(), 6);
    EXPECT_EQ(m.LiteralAt(3), QChar(u'x'));
    EXPECT_EQ(m.Format("1234"), "123x4");
    EXPECT_EQ(m.Format("123x45"), "123x45");
    EXPECT_EQ(m.Format("123"), "123");      // no literal after the last character
    m.SetMask("22222");
    EXPECT_EQ(m.Format("1a2"), "12");
    m.SetMask("\\99-9");
    EXPECT_EQ(m.GetPositionCount(), 4);
    EXPECT_EQ(m.Format("45"), "94-5");
    m.SetMask(QString());
    EXPECT_FALSE(m.IsOn());
}

TEST(GridEdit, TypingUnderAMask)
{
    Hosted<EditGrid> h(3, 3);
    EditGrid& g = h.grid;
    CGridCell c;
    g.GetCell(0, 0, &c);
    c.SetLabel("999x99");
    g.SetCell(0, 0, &c);
    g.GetCell(1, 0, &c);
    c.SetLabel("22222");
    c.SetText("1a2");
    g.SetCell(1, 0, &c);

    ASSERT_TRUE(g.StartEdit());
    Type("1234");
    EXPECT_EQ(h.Edit()->text(), "123x4");   // the literal comes by itself
    Enter();
    EXPECT_EQ(h.Text(0, 0), "123x4");
    // The next cell's text is brought into its mask's shape.
    ASSERT_NE(h.Edit(), nullptr);
    EXPECT_EQ(h.Edit()->text(), "12");
    const int beeps = AfxGetBeepCount();
    h.Edit()->end(false);
    Type("345");
    EXPECT_EQ(h.Edit()->text(), "12345");
    Type("6");
    EXPECT_EQ(h.Edit()->text(), "12345");
    EXPECT_EQ(AfxGetBeepCount(), beeps);    // a sixth character is refused quietly
    h.Edit()->selectAll();
    Type("a");
    EXPECT_EQ(AfxGetBeepCount(), beeps + 1);
    EXPECT_EQ(AfxGetLastBeepType(), UINT(MB_ICONASTERISK));
    EXPECT_EQ(h.Edit()->text(), "");
}

// ---------------------------------------------------------------- editing and moving on

TEST(GridEdit, EnterStoresAndMovesOnEscapeLeavesTheCell)
{
    Hosted<EditGrid> h(3, 2);
    EditGrid& g = h.grid;
    g.SetCellText(0, 0, "old");
    g.SetCellText(1, 0, "keep");
    Type("5");                       // a character on the area starts the edit with it
    ASSERT_TRUE(g.GetEdit()->IsOpen());
    Type("6x!");
    EXPECT_EQ(h.Edit()->text(), "56X");
    Enter();
    EXPECT_EQ(h.Text(0, 0), "56X");
    EXPECT_EQ(g.GetCurrentCol(), 1);
    ASSERT_TRUE(g.GetEdit()->IsOpen());
    EXPECT_EQ(h.Edit()->text(), "keep");
    const QStringList expected = {"setup 0 0", "start 0 0", "verify 5", "verify 6", "verify x", "verify !",
                                  "finish 0 0 56X", "continue 0 0 -> 1 0", "setup 1 0", "start 1 0"};
    EXPECT_EQ(g.log, expected);
    Type("zz");
    Key(Focus(), Qt::Key_Escape);
    EXPECT_FALSE(g.GetEdit()->IsOpen());
    EXPECT_EQ(h.Text(1, 0), "keep");
    EXPECT_FALSE(g.log.contains("finish 1 0 zz"));
}

TEST(GridEdit, ContinuingWrapsAtTheRowEndsAndStopsAtTheLastRow)
{
    Hosted<EditGrid> h(3, 2);
    EditGrid& g = h.grid;
    g.GotoCell(2, 0);
    ASSERT_TRUE(g.StartEdit());
    Enter();
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(0, 1));
    Key(Focus(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(2, 0));
    Key(Focus(), Qt::Key_Tab);
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(0, 1));
    Key(Focus(), Qt::Key_Down);
    EXPECT_EQ(g.GetCurrentRow(), 1);        // the last row stays
    EXPECT_TRUE(g.GetEdit()->IsOpen());
    Key(Focus(), Qt::Key_Up);
    EXPECT_EQ(g.GetCurrentRow(), 0);
    g.continueOk = FALSE;
    Enter();
    EXPECT_FALSE(g.GetEdit()->IsOpen());
    EXPECT_EQ(g.GetCurrentCol(), 0);
}

TEST(GridEdit, ARefusedTextGoesAndTheCellKeepsItsValueAndTheKeys)
{
    Hosted<EditGrid> h(3, 3);
    EditGrid& g = h.grid;
    g.SetCellText(0, 0, "1");
    ASSERT_TRUE(g.StartEdit());
    Type("77");
    g.finishOk = FALSE;
    Enter();
    QApplication::processEvents();
    EXPECT_EQ(h.Text(0, 0), "1");
    EXPECT_FALSE(g.GetEdit()->IsOpen());
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(0, 0));
    EXPECT_EQ(Focus(), h.Area());
    // A click elsewhere while a text is typed is refused the same way and moves nothing.
    Type("88");
    ASSERT_TRUE(g.GetEdit()->IsOpen());
    Click(h.Area(), h.At(2, 2));
    QApplication::processEvents();
    EXPECT_EQ(h.Text(0, 0), "1");
    EXPECT_FALSE(g.GetEdit()->IsOpen());
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(0, 0));
    EXPECT_EQ(Focus(), h.Area());
    g.finishOk = TRUE;
    Type("77");
    Click(h.Area(), h.At(2, 2));
    EXPECT_EQ(h.Text(0, 0), "77");          // clicking elsewhere stores the typed text
    EXPECT_FALSE(g.GetEdit()->IsOpen());
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(2, 2));
}

TEST(GridEdit, TheRangeSetsNoCharacterLimitAndSomeCellsRefuseEditing)
{
    Hosted<EditGrid> h(3, 3);
    EditGrid& g = h.grid;
    CGridCell c;
    g.GetCell(0, 0, &c);
    c.SetRange(0.3, 0.6);
    c.EnableRangeCheck(1);
    g.SetCell(0, 0, &c);
    g.GetCell(1, 0, &c);
    c.SetRange(0, 5);
    c.EnableRangeCheck(1);
    g.SetCell(1, 0, &c);
    ASSERT_TRUE(g.StartEdit());
    Type("0.45");
    EXPECT_EQ(h.Edit()->text(), "0.45");
    Enter();
    EXPECT_EQ(h.Text(0, 0), "0.45");
    Type("4.56789");                        // more characters than the maximum's value
    EXPECT_EQ(h.Edit()->text(), "4.56789");
    Enter();
    EXPECT_EQ(h.Text(1, 0), "4.56789");

    g.GetEdit()->Close();
    g.GetCell(1, 1, &c);
    c.SetReadOnly(1);
    g.SetCell(1, 1, &c);
    g.SetCellType(2, 1, GRID_CT_CHECKBOX);
    g.GotoCell(1, 1);
    EXPECT_FALSE(g.StartEdit());
    g.GotoCell(2, 1);
    EXPECT_FALSE(g.StartEdit());
    EXPECT_FALSE(g.GetEdit()->IsOpen());
}

// ---------------------------------------------------------------- drop-down list

TEST(GridDropList, OffersEveryLineAndWritesTheChoice)
{
    Hosted<EditGrid> h(3, 8);
    EditGrid& g = h.grid;
    CGridCell c;
    g.GetCell(1, 1, &c);
    c.SetCellType(GRID_CT_DROPLIST);
    c.SetChoiceList("a\nb\nc");
    g.SetCell(1, 1, &c);
    g.GotoCell(1, 1);
    Key(h.Area(), Qt::Key_Return, Qt::NoModifier, "\r");
    auto* list = qobject_cast<QListWidget*>(Focus());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);            // the last line needs no line break
    const int itemHeight = std::abs(int(g.GetDefFont()->LogFont().lfHeight));
    EXPECT_EQ(list->height(), 2 + 3 * itemHeight);
    EXPECT_FALSE(g.GetEdit()->IsOpen());    // Enter opened the list, not an edit
    list->setCurrentRow(1);
    Key(list, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(h.Text(1, 1), "b");
    ASSERT_EQ(g.listNotes.size(), 2u);
    EXPECT_EQ(g.listNotes[0], std::make_pair(long(GRID_NOTIFY_LIST_OPENING), QString("a|b|c")));
    EXPECT_EQ(g.listNotes[1], std::make_pair(long(GRID_NOTIFY_LIST_CHOSEN), QString("b")));
    auto* type = static_cast<CGridDropListCellType*>(g.GetCellTypeById(GRID_CT_DROPLIST));
    EXPECT_EQ(type->m_nListCol, -1);
    EXPECT_NE(qobject_cast<QListWidget*>(Focus()), list);
}

TEST(GridDropList, ShowsFourItemsAtMostAndReArmsAfterEscape)
{
    Hosted<EditGrid> h(3, 8);
    EditGrid& g = h.grid;
    CGridCell c;
    g.GetCell(1, 1, &c);
    c.SetCellType(GRID_CT_DROPLIST);
    c.SetChoiceList("1\n2\n3\n4\n5\n6\n");
    g.SetCell(1, 1, &c);
    CRect cell;
    g.GetCellRect(1, 1, &cell);
    const QPoint button(cell.right - 3, (cell.top + cell.bottom) / 2);
    Click(h.Area(), button);
    auto* list = qobject_cast<QListWidget*>(Focus());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 6);
    const int itemHeight = std::abs(int(g.GetDefFont()->LogFont().lfHeight));
    EXPECT_EQ(list->height(), 2 + 4 * itemHeight);
    EXPECT_EQ(list->x(), cell.left + 10);
    EXPECT_EQ(list->y(), cell.bottom);
    Key(list, Qt::Key_Escape);
    auto* type = static_cast<CGridDropListCellType*>(g.GetCellTypeById(GRID_CT_DROPLIST));
    EXPECT_EQ(type->m_nListCol, -2);
    EXPECT_EQ(qobject_cast<QListWidget*>(Focus()), nullptr);
    Click(h.Area(), button);                // re-arms only
    EXPECT_EQ(qobject_cast<QListWidget*>(Focus()), nullptr);
    Click(h.Area(), button);
    EXPECT_NE(qobject_cast<QListWidget*>(Focus()), nullptr);
}
