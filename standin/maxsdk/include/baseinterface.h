// Interface identities and the servers that hand interfaces out: the root of
// the host's classes with a table of virtual functions.
#pragma once

#include <windows.h>

#include "maxheap.h"
#include "standin_slots.h"
#include "tab.h"

class Interface_ID {
public:
    Interface_ID() : a(0xffffffff), b(0xffffffff) {}
    Interface_ID(ULONG aa, ULONG bb) : a(aa), b(bb) {}
    bool operator==(const Interface_ID& id) const { return a == id.a && b == id.b; }

private:
    ULONG a, b;
};

class BaseInterface;

class InterfaceServer : public MaxHeapOperators {
public:
    virtual ~InterfaceServer() {}
    STANDIN_SLOTS_InterfaceServer_1
};

// A server that holds its interfaces in a list.
class BaseInterfaceServer : public InterfaceServer {
public:
    BaseInterface* GetInterface(Interface_ID) override { StandinUnimplemented("BaseInterfaceServer::GetInterface"); }
    virtual int NumInterfaces() const { StandinUnimplemented("BaseInterfaceServer::NumInterfaces"); }
    virtual BaseInterface* GetInterfaceAt(int) const { StandinUnimplemented("BaseInterfaceServer::GetInterfaceAt"); }

protected:
    Tab<BaseInterface*> interfaces;
};

namespace MaxSDK {
namespace Util {

// A base that makes a class neither copyable nor assignable.
class Noncopyable : public MaxHeapOperators {
protected:
    Noncopyable() = default;
    ~Noncopyable() = default;

public:
    Noncopyable(const Noncopyable&) = delete;
    Noncopyable& operator=(const Noncopyable&) = delete;
};

// Sole owner of an object of the host's, deleted with it.
template <class T>
class AutoPtr {
public:
    AutoPtr() = default;
    explicit AutoPtr(T* p) : p_(p) {}
    ~AutoPtr() { delete p_; }
    AutoPtr(const AutoPtr&) = delete;
    AutoPtr& operator=(const AutoPtr&) = delete;
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    T* Get() const { return p_; }

private:
    T* p_ = nullptr;
};

}  // namespace Util
}  // namespace MaxSDK
