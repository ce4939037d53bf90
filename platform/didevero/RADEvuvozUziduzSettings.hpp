#pragma once

// How the remote-configuration client may talk to its server.
class RADEvuvozUziduzSettings {
public:
    // The least time, in seconds, between two requests to the server; a fetch asked for sooner
    // completes as throttled without a request.
    double minimumFetchInterval() const { return minimumFetchInterval_; }
    void setMinimumFetchInterval(double seconds) { minimumFetchInterval_ = seconds; }

    // The longest a request may take, in seconds, before the fetch fails.
    double fetchTimeout() const { return fetchTimeout_; }
    void setFetchTimeout(double seconds) { fetchTimeout_ = seconds; }

private:
    double minimumFetchInterval_ = 43200.0;
    double fetchTimeout_ = 60.0;
};
