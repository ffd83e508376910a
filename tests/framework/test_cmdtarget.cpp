// Command targets with named member functions as their handlers.
#include <gtest/gtest.h>
#include <vector>

#include "framework/cmdtarget.h"

namespace {

enum : UINT { CMD_PLAIN = 41001, CMD_FIRST_OF_TWO = 41002, CMD_SECOND_OF_TWO = 41003 };

// Something else comes first in the object, so the target is not at its start.
struct Payload {
    virtual ~Payload() = default;
    double m_adFill[3] = {};
};

class NamedTarget : public Payload, public CCmdTarget {
public:
    NamedTarget()
    {
        HandleCommand(CMD_PLAIN, &NamedTarget::OnPlain);
        HandleUpdate(CMD_PLAIN, &NamedTarget::OnUpdatePlain);
        HandleCommand(CMD_FIRST_OF_TWO, &NamedTarget::OnEither);
        HandleCommand(CMD_SECOND_OF_TWO, &NamedTarget::OnEither);
    }
    void OnPlain() { ++m_nPlain; }
    void OnUpdatePlain(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nPlain); pCmdUI->Enable(m_nPlain < 2); }
    void OnEither(UINT nID) { m_came.push_back(nID); }

    int m_nPlain = 0;
    std::vector<UINT> m_came;
};

// A derived target keeps its base's named handlers and adds its own.
class DerivedTarget : public NamedTarget {
public:
    DerivedTarget() { HandleCommand(CMD_SECOND_OF_TWO, &DerivedTarget::OnSecond); }
    void OnSecond() { ++m_nSecond; }
    int m_nSecond = 0;
};

}

TEST(NamedHandlers, CommandsReachTheMemberFunctionOfTheirObject)
{
    NamedTarget a, b;
    EXPECT_TRUE(a.ExecuteCommand(CMD_PLAIN));
    EXPECT_EQ(a.m_nPlain, 1);
    EXPECT_EQ(b.m_nPlain, 0);

    CCmdUI ui(CMD_PLAIN);
    ui.DoUpdate(&a);
    EXPECT_TRUE(ui.m_bHandled);
    EXPECT_EQ(ui.m_nCheck, 1);
    EXPECT_TRUE(ui.m_bEnabled);
    a.ExecuteCommand(CMD_PLAIN);
    CCmdUI again(CMD_PLAIN);
    again.DoUpdate(&a);
    EXPECT_EQ(again.m_nCheck, 2);
    EXPECT_FALSE(again.m_bEnabled);
}

TEST(NamedHandlers, OneHandlerForSeveralCommandsIsToldWhichCame)
{
    NamedTarget t;
    t.ExecuteCommand(CMD_SECOND_OF_TWO);
    t.ExecuteCommand(CMD_FIRST_OF_TWO);
    EXPECT_EQ(t.m_came, (std::vector<UINT>{CMD_SECOND_OF_TWO, CMD_FIRST_OF_TWO}));
    EXPECT_FALSE(t.ExecuteCommand(41099));
}

TEST(NamedHandlers, ADerivedTargetReplacesOnlyWhatItRegisters)
{
    DerivedTarget t;
    t.ExecuteCommand(CMD_SECOND_OF_TWO);
    t.ExecuteCommand(CMD_FIRST_OF_TWO);
    t.ExecuteCommand(CMD_PLAIN);
    EXPECT_EQ(t.m_nSecond, 1);
    EXPECT_EQ(t.m_came, (std::vector<UINT>{CMD_FIRST_OF_TWO}));
    EXPECT_EQ(t.m_nPlain, 1);
}
