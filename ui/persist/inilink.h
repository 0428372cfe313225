#pragma once

#include <functional>

class IniStore;

// An object that keeps its state in the configuration file at the times of one storage
// component: it loads when that component restores and saves when it saves, in sections of its
// own choosing.
class IniLink {
public:
    virtual ~IniLink() = default;
    virtual void load(IniStore& store) = 0;
    virtual void save(IniStore& store) = 0;
};

// A link made of two functions, for an object that offers its read and write as plain calls.
class CallbackIniLink : public IniLink {
public:
    using Call = std::function<void(IniStore&)>;
    CallbackIniLink(Call load, Call save) : m_load(std::move(load)), m_save(std::move(save)) {}
    void load(IniStore& store) override { m_load(store); }
    void save(IniStore& store) override { m_save(store); }

private:
    Call m_load;
    Call m_save;
};
