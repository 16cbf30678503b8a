// Command routing: a command goes to the active view first, then to the main frame, then to
// the application; the first target that handles it wins. Each target also answers update
// requests that set an item's enabled and checked state. A target lists its commands once, in
// a CommandTable: what runs and what sets the state, side by side.
#pragma once

#include "CommandIds.h"

#include <functional>
#include <utility>
#include <vector>

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Runs the command; false when this target has no handler for it.
    virtual bool handleCommand(Command id) = 0;
    // Fills state; false when this target has no update handler for id.
    virtual bool updateCommand(Command id, CommandState& state) = 0;
};

// One target's commands.
class CommandTable : public CommandTarget {
public:
    using Run = std::function<void()>;
    using Update = std::function<void(CommandState&)>;

    // Adds a command; without an update it is always enabled and never checked. Each command
    // is added once.
    void add(Command id, Run run, Update update = {})
    {
        entries_.push_back({id, std::move(run), std::move(update)});
    }

    bool handleCommand(Command id) override
    {
        const Entry* entry = find(id);
        if (!entry)
            return false;
        entry->run();
        return true;
    }

    bool updateCommand(Command id, CommandState& state) override
    {
        const Entry* entry = find(id);
        if (!entry)
            return false;
        state = CommandState{};
        if (entry->update)
            entry->update(state);
        return true;
    }

private:
    struct Entry {
        Command id;
        Run run;
        Update update;
    };

    const Entry* find(Command id) const
    {
        for (const Entry& entry : entries_)
            if (entry.id == id)
                return &entry;
        return nullptr;
    }

    std::vector<Entry> entries_;
};

// An ordered chain of targets (view, frame, application). Null entries are skipped, so the
// chain works before a view exists.
class CommandRouter {
public:
    void setChain(std::vector<CommandTarget*> chain) { chain_ = std::move(chain); }

    bool dispatch(Command id) const
    {
        for (CommandTarget* t : chain_)
            if (t && t->handleCommand(id))
                return true;
        return false;
    }

    // Every command the program offers has an update handler somewhere in the chain; an id
    // that none answers is disabled.
    CommandState update(Command id) const
    {
        CommandState state;
        for (CommandTarget* t : chain_)
            if (t && t->updateCommand(id, state))
                return state;
        state.enabled = false;
        return state;
    }

private:
    std::vector<CommandTarget*> chain_;
};
