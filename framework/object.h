// Run-time class information and dynamic creation: the templates make
// documents, frames and views from class records.
#pragma once

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    bool IsDerivedFrom(const CRuntimeClass* pBase) const
    {
        for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
            if (p == pBase)
                return true;
        return false;
    }
};

class CObject {
public:
    static const CRuntimeClass classCObject;
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
    bool IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }
};

#define RUNTIME_CLASS(c) (&c::class##c)

#define DECLARE_DYNAMIC(c)                              \
public:                                                 \
    static const CRuntimeClass class##c;                \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(c) \
    DECLARE_DYNAMIC(c)       \
    static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(c, base)                                                  \
    const CRuntimeClass c::class##c = {#c, nullptr, RUNTIME_CLASS(base)};            \
    const CRuntimeClass* c::GetRuntimeClass() const { return &c::class##c; }

#define IMPLEMENT_DYNCREATE(c, base)                                                \
    CObject* c::CreateObject() { return new c; }                                    \
    const CRuntimeClass c::class##c = {#c, c::CreateObject, RUNTIME_CLASS(base)};    \
    const CRuntimeClass* c::GetRuntimeClass() const { return &c::class##c; }
