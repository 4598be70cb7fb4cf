#pragma once
// The seven kinds of story customers: their looks, patience, pace, napkin
// habit, how many cookies and lemonades they take and how much treats and
// shows please them. The kinds differ in numbers only, so one class reads
// them from the kind's row; the old man alone also enjoys a napkin.
#include "game/characters/Customer.h"

namespace Plix {

class CustomerOfKind : public Customer {
public:
  bool CanTakeCookie() const override;
  bool CanTakeLemonade() const override;
  void GiveCookie(int grade) override;
  void GiveLemonade(int grade) override;
  void WatchJuggling(int level) override;
  void HearBarrelOrgan(int level) override;

protected:
  // kind: 0..6.
  CustomerOfKind(CustomerManager* manager, int kind);
};

class OldManCustomer : public CustomerOfKind {
public:
  explicit OldManCustomer(CustomerManager* manager) : CustomerOfKind(manager, 0) {}
  void GiveNapkin() override;
};

class SportyCustomer : public CustomerOfKind {
public:
  explicit SportyCustomer(CustomerManager* manager) : CustomerOfKind(manager, 1) {}
};

class BoyCustomer : public CustomerOfKind {
public:
  explicit BoyCustomer(CustomerManager* manager) : CustomerOfKind(manager, 2) {}
};

class JacketCustomer : public CustomerOfKind {
public:
  explicit JacketCustomer(CustomerManager* manager) : CustomerOfKind(manager, 3) {}
};

class DadCustomer : public CustomerOfKind {
public:
  explicit DadCustomer(CustomerManager* manager) : CustomerOfKind(manager, 4) {}
};

class LadyCustomer : public CustomerOfKind {
public:
  explicit LadyCustomer(CustomerManager* manager) : CustomerOfKind(manager, 5) {}
};

class MumCustomer : public CustomerOfKind {
public:
  explicit MumCustomer(CustomerManager* manager) : CustomerOfKind(manager, 6) {}
};

// The kind by its code; any other code brings an old man.
Customer* CreateCustomerOfKind(int kindCode, CustomerManager* manager);

}  // namespace Plix
