#pragma once

// Makes the capture controls known to the control factory, so that format files holding them
// can be read. Called once when a program starts; calling it again changes nothing.
class CaptureControlTypes {
public:
    static void RegisterAll();
};
