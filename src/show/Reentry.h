#pragma once
#include <optional>

namespace lumora {

// What may run while a tick, a slide or an input check runs. The window handles its messages between a slide's
// steps, while a tick waits for its picture and behind the password dialog an input check opens, so a tick or an
// input message can arrive before the one under way has returned.
class Reentry {
 public:
  // A tick's turn, from its start to its end, failed or not.
  class TickTurn {
   public:
    TickTurn(Reentry& reentry, bool behindDialog);
    ~TickTurn() { --reentry_.tickDepth_; }
    TickTurn(const TickTurn&) = delete;
    TickTurn& operator=(const TickTurn&) = delete;
    // It runs behind a password dialog opened inside the tick before it, which goes on once the dialog closes.
    bool BehindDialog() const { return behindDialog_; }

   private:
    Reentry& reentry_;
    const bool behindDialog_;
  };

  // An input check's turn: input that arrives meanwhile is passed over.
  class InputTurn {
   public:
    explicit InputTurn(Reentry& reentry) : reentry_(reentry) { reentry_.inputBusy_ = true; }
    ~InputTurn() { reentry_.inputBusy_ = false; }
    InputTurn(const InputTurn&) = delete;
    InputTurn& operator=(const InputTurn&) = delete;

   private:
    Reentry& reentry_;
  };

  // A tick arrives. While another handles pending messages (in a slide, or waiting for its picture) it has no turn:
  // it ends that slide and is held, to run once the other has unwound instead of inside it. Only behind a password
  // dialog opened inside a tick, which holds that tick until it closes, does it take its turn at once, one deep:
  // ticks never nest deeper than two, however long the show or fast the timer. Not behind a dialog opened while a
  // tick waits for its picture: that picture, and the place it was prepared for, are the waiting tick's.
  std::optional<TickTurn> ArriveTick(bool awaitingPicture);
  // The tick held while the running one ran, taken: false when none came.
  bool TakeHeldTick();
  int TickDepth() const { return tickDepth_; }

  // A slide steps until its picture has come in whole or it is stopped: by a tick that arrives, by the shut-down.
  void StartSlide() { slideStopped_ = false; }
  void StopSlide() { slideStopped_ = true; }
  bool SlideStopped() const { return slideStopped_; }

  // Input arrives: nothing while another input check runs.
  std::optional<InputTurn> ArriveInput();
  bool InputBusy() const { return inputBusy_; }

 private:
  int tickDepth_ = 0;
  bool tickHeld_ = false;
  bool slideStopped_ = false;
  bool inputBusy_ = false;
};

}  // namespace lumora
