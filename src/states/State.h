#pragma once

// One screen of the game. Every GLUT event reaches the current screen through one of these.
class State {
public:
    explicit State(const char* name) : name(name) {}
    virtual ~State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    virtual bool enter(State* previous);
    virtual bool leave(State* next);
    virtual bool release(State* next);
    virtual void draw() {}
    virtual void update() {}
    virtual void mouse(int button, int state, int x, int y);
    virtual void motion(int x, int y);
    virtual void passiveMotion(int x, int y);
    virtual void keyboard(unsigned char key, int x, int y);
    virtual void keyboardUp(unsigned char key, int x, int y);
    virtual void special(int key, int x, int y);
    virtual void specialUp(int key, int x, int y);

    const char* const name; // identifies the object; not owned
};

extern State* currentState;

// leave the current state, enter next, make it current; false when the current one refused.
bool switchState(State* next);
