#pragma once
// The process-wide instance of a service-layer class: created on first use, released on request.
//
// The instance is deliberately not destroyed at exit: it lives as long as the process, and its
// destructor must not run after the REST layer it talks to has been torn down.
namespace backend {

template <class T>
class Singleton {
 public:
  static T& getInstance() {
    T*& instance = slot();
    if (!instance) instance = new T();
    return *instance;
  }

  // Drops the instance; the next getInstance() creates a new one.
  static void resetInstance() {
    T*& instance = slot();
    T* old = instance;
    instance = nullptr;
    delete old;
  }

  static bool hasInstance() { return slot() != nullptr; }

 protected:
  Singleton() = default;
  ~Singleton() = default;

 private:
  static T*& slot() {
    static T* instance = nullptr;
    return instance;
  }
};

}  // namespace backend
