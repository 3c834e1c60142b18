#pragma once

#include "kit/base/PassthroughSubject.h"

namespace kit {

// Base of every model that views observe. Each write to one of its
// Published properties announces itself on objectWillChange first.
class ObservableObject {
public:
    ObservableObject() = default;
    ObservableObject(const ObservableObject&) = delete;
    ObservableObject& operator=(const ObservableObject&) = delete;
    virtual ~ObservableObject() = default;

    PassthroughSubject<void> objectWillChange;
};

} // namespace kit
