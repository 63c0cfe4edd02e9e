#pragma once
// The busy cursor while the models work on the user's input, shown at once (the event loop
// does not run until they finish), and lifted while a window they open waits for the user.

namespace desktop {

// Shows the busy cursor for its lifetime.
class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Lifts every busy cursor for its lifetime: a window, message box or menu waits for the user.
class UserWaits {
  public:
    UserWaits();
    ~UserWaits();
    UserWaits(const UserWaits&) = delete;
    UserWaits& operator=(const UserWaits&) = delete;

  private:
    int lifted_;
};

} // namespace desktop
