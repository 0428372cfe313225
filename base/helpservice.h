#pragma once

// Asks for a help topic by its context number.
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void showContext(int context) = 0;
};
