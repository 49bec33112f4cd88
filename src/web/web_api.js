// The module's functions for the page and for Node, over the bound C++
// calls of core_module.cpp. A usage error (exit status 2) and a failed
// write (3) throw an Error whose message is what the command line printed
// on standard error, without its last line break.
(function () {
  const decoder = new TextDecoder();
  function failure(result) {
    return new Error(result.stderr.replace(/\n$/, ''));
  }
  function text(options) {
    if (options === undefined || options === null) return '{}';
    return typeof options === 'string' ? options : JSON.stringify(options);
  }
  Module['generate'] = function (subcommand, optionsJson) {
    const result = Module['rawGenerate'](String(subcommand), text(optionsJson));
    if (result.status >= 2) throw failure(result);
    return decoder.decode(result.stdout);
  };
  Module['output'] = function (subcommand, optionsJson, kind) {
    const result = Module['rawOutput'](String(subcommand), text(optionsJson), String(kind));
    if (result.status >= 2) throw failure(result);
    return result.stdout;
  };
  Module['run'] = function (args) {
    const list = new Module['StringList']();
    try {
      for (const arg of args) list.push_back(String(arg));
      const result = Module['rawRun'](list);
      return { status: result.status, stdout: result.stdout, stderr: result.stderr };
    } finally {
      list.delete();
    }
  };
  Module['schema'] = function (job) {
    const result = Module['run'](job ? ['schema', '--job'] : ['schema']);
    if (result.status !== 0) throw failure(result);
    return decoder.decode(result.stdout);
  };
})();
