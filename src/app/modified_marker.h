// Where the windows of the shell report that they changed the project: the
// main dialog sets its modified flag.
#pragma once

class CModifiedMarker {
public:
    virtual ~CModifiedMarker() = default;
    virtual void MarkModified() = 0;
};
