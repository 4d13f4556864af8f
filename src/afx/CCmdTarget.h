// Message-map machinery and command routing.
#pragma once
#include "CObject.h"

class CCmdTarget;
class CCmdUI;

typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)();

// Each map entry carries the function that cracks the message's parameters and calls the
// handler with its typed signature.
typedef BOOL (*AFX_DISPATCH)(CCmdTarget* pTarget, AFX_PMSG pfn, UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AFX_DISPATCH pfnDispatch;
    AFX_PMSG pfn;
    const UINT* pnRegisteredMessage;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Command notification codes of OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

class AFX_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() {}

    // Routes a command or update request through the message maps of this object.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, NULL, NULL } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Converts a typed handler of a framework class to the generic entry pointer; the dispatcher
// converts it back to the same type before the call.
#define AFX_HANDLER(type, memberFxn) reinterpret_cast<AFX_PMSG>(static_cast<type>(memberFxn))

AFX_API BOOL AfxDispatchCommand(CCmdTarget*, AFX_PMSG, UINT, WPARAM, LPARAM, LRESULT*);
AFX_API BOOL AfxDispatchUpdateCommandUI(CCmdTarget*, AFX_PMSG, UINT, WPARAM, LPARAM, LRESULT*);
AFX_API BOOL AfxDispatchCommandRange(CCmdTarget*, AFX_PMSG, UINT, WPARAM, LPARAM, LRESULT*);

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), &AfxDispatchCommand, \
      AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), &AfxDispatchCommandRange, \
      AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT), &ThisClass::memberFxn) },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), &AfxDispatchUpdateCommandUI, \
      AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn) },
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), &AfxDispatchCommand, \
      AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
