#pragma once
#include <functional>
#include <string>
#include <vector>

// One running program per user: the first start becomes the running
// instance; a later start hands its file arguments over to it and ends.
class ISingleInstance {
public:
    virtual ~ISingleInstance() = default;
    // True when no other instance runs; this one then listens for later starts.
    virtual bool Claim() = 0;
    // Asks the running instance to come to the front and open the files.
    virtual bool SendToRunning(const std::vector<std::string>& files) = 0;
    // Called in the running instance for every later start, with its files.
    virtual void SetHandler(std::function<void(const std::vector<std::string>&)> handler) = 0;
};

// The message a later start sends: one line per file, after a first line "open".
std::string EncodeStartMessage(const std::vector<std::string>& files);
// The files of a message; false when it is not a start message.
bool DecodeStartMessage(const std::string& message, std::vector<std::string>& files);
