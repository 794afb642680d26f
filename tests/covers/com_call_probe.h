// Counts, while a probe lives, how often this test program enters COM and
// makes a WIC imaging factory.
#pragma once

class ComCallProbe {
  public:
    ComCallProbe();
    ~ComCallProbe();
    ComCallProbe(const ComCallProbe&) = delete;
    ComCallProbe& operator=(const ComCallProbe&) = delete;

    int apartmentsEntered() const;  // CoInitializeEx
    int factoriesMade() const;      // CoCreateInstance of CLSID_WICImagingFactory
};
