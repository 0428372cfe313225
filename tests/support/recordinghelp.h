#pragma once

#include "base/helpservice.h"

// A help service that only records what it is asked to show.
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
