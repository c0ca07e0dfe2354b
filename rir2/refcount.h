// Intrusive, single-threaded reference counting.
//
// RefCountedObject carries the count and the virtual destructor; SmartPtr<T> holds one counted
// reference; dynamicCast / dynamicCastRaw down-cast with run-time type information. An object is
// deleted when the last handle lets go, so a handle may only be made from an object created with
// new, and never from one held by value.
#ifndef RIR2_REFCOUNT_H
#define RIR2_REFCOUNT_H

#include <cstdint>
#include <type_traits>

namespace RIR {

class RefCountedObject
{
public:
    RefCountedObject() : m_nRefCount(0) {}
    // A copy starts with no holders; assignment leaves both counts untouched.
    RefCountedObject(const RefCountedObject&) : m_nRefCount(0) {}
    RefCountedObject& operator=(const RefCountedObject&) { return *this; }
    virtual ~RefCountedObject() {}

    int getRefCount() const { return m_nRefCount; }
    void addRef() { ++m_nRefCount; }
    // Takes one reference away; deletes the object when none is left. Returns true when it did.
    // Out of line: inlined into a holder's destructor, the optimiser follows the path where an
    // earlier release deleted the object and reports the next one as a use after free, which
    // the counts rule out.
    bool releaseRef();

private:
    int32_t m_nRefCount;
};

template <class T>
class SmartPtr
{
public:
    SmartPtr() : m_pObject(nullptr) {}
    SmartPtr(T* pObject) : m_pObject(pObject) { acquire(); }
    SmartPtr(const SmartPtr& other) : m_pObject(other.m_pObject) { acquire(); }
    // Conversion from a handle of a derived type.
    template <class U, class = typename std::enable_if<std::is_convertible<U*, T*>::value>::type>
    SmartPtr(const SmartPtr<U>& other) : m_pObject(other.get())
    {
        acquire();
    }
    ~SmartPtr() { release(); }

    // The new object gains its reference before the old one is given up, so that an old object
    // holding the last reference to the new one cannot destroy it first.
    SmartPtr& operator=(const SmartPtr& other)
    {
        if (m_pObject != other.m_pObject)
            reset(other.m_pObject);
        return *this;
    }
    SmartPtr& operator=(T* pObject)
    {
        if (m_pObject != pObject)
            reset(pObject);
        return *this;
    }

    // Gives up the held object (deleting it when this was the last handle); the handle is null.
    void release()
    {
        T* pOld = m_pObject;
        m_pObject = nullptr;
        if (pOld)
            static_cast<RefCountedObject*>(pOld)->releaseRef();
    }

    T* get() const { return m_pObject; }
    T* operator->() const { return m_pObject; }
    T& operator*() const { return *m_pObject; }
    explicit operator bool() const { return m_pObject != nullptr; }
    bool isNull() const { return m_pObject == nullptr; }

    template <class U>
    bool operator==(const SmartPtr<U>& other) const
    {
        return m_pObject == other.get();
    }
    template <class U>
    bool operator!=(const SmartPtr<U>& other) const
    {
        return m_pObject != other.get();
    }
    bool operator==(const T* p) const { return m_pObject == p; }
    bool operator!=(const T* p) const { return m_pObject != p; }

private:
    // Holds pNew instead of the current object. The handle is rewritten before the old object is
    // released, since the handle itself may live inside the object that release destroys.
    void reset(T* pNew)
    {
        T* pOld = m_pObject;
        if (pNew)
            static_cast<RefCountedObject*>(pNew)->addRef();
        m_pObject = pNew;
        if (pOld)
            static_cast<RefCountedObject*>(pOld)->releaseRef();
    }

    void acquire()
    {
        if (m_pObject)
            static_cast<RefCountedObject*>(m_pObject)->addRef();
    }

    T* m_pObject;
};

// The object as a To, with one more reference; null when p is null or not a To.
template <class To, class From>
SmartPtr<To> dynamicCastRaw(From* p)
{
    return SmartPtr<To>(p ? dynamic_cast<To*>(p) : nullptr);
}

template <class To, class From>
SmartPtr<To> dynamicCast(const SmartPtr<From>& p)
{
    return dynamicCastRaw<To>(p.get());
}

} // namespace RIR

#endif
