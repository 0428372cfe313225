#pragma once

#include <QString>

// Asks for a help topic by its context number.
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void showContext(int context) = 0;
};

// Until the help viewer exists, the request is only recorded.
class RecordingHelpService : public HelpService {
public:
    void showContext(int context) override {
        m_lastContext = context;
        ++m_requests;
    }
    int lastContext() const { return m_lastContext; }
    int requests() const { return m_requests; }

private:
    int m_lastContext = -1;
    int m_requests = 0;
};
