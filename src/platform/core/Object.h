// The root of the framework's class hierarchy: a run-time class record and the plain archive hook.
#pragma once

class CArchive;

/// The run-time class record of a framework class: its name and its schema number.
struct CRuntimeClass {
    /// The class name the record was registered under, for example "TaskItem".
    const char* className;
    /// The schema number the class was registered with.
    int schema;
};

/// Base of the framework's objects: answers its run-time class and offers a plain archive operation.
class CObject {
public:
    virtual ~CObject() = default;
    /// The record of the most derived class that registered one.
    virtual const CRuntimeClass* GetRuntimeClass() const {
        static constexpr CRuntimeClass kRecord{"CObject", 0xFFFF};
        return &kRecord;
    }
    /// The plain archive operation; objects that keep their own file format leave it doing nothing.
    virtual void Serialize(CArchive& /*archive*/) {}

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
