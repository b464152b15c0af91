// Lets the page's modules import their npm packages under Node, as esbuild lets them in the
// bundle: bare names resolve in the page build's node_modules (CORVEL_PAGE_NODE_MODULES), which
// ES modules would not find through NODE_PATH. Loaded with node --import.
import { register } from 'node:module';
import { isMainThread } from 'node:worker_threads';
import { pathToFileURL } from 'node:url';

const modules = process.env.CORVEL_PAGE_NODE_MODULES;

async function resolve(specifier, context, nextResolve) {
  try {
    return await nextResolve(specifier, context);
  } catch (error) {
    if (!modules || !/^[@a-z]/i.test(specifier)) throw error;
    return nextResolve(specifier, { ...context, parentURL: pathToFileURL(modules.replace(/\/?$/, '/')).href });
  }
}

if (isMainThread) register(import.meta.url);

export { resolve };
